# The Debian package, as a player gets it: scripts/package.sh builds it, apt
# installs it with what it depends on, lintian (when the distribution has it)
# finds nothing to warn about, the installed game shows its title in a window
# of the comfortable size and Escape ends it with 0, the manual pages cover
# every setting the game reads, and apt removes it all again.
# Needs root (or sudo without a password); skipped otherwise, and when a
# tarnblast package is installed already, which it leaves alone.
# Usage: debian_package.sh (from the build directory)
. "$(dirname "$0")/../window/window_lib.sh"
top=$(cd "$(dirname "$0")/../.." && pwd)
as_root=""
if [ "$(id -u)" != 0 ]; then
    sudo -n true 2>/dev/null || { echo "SKIP: installing a package needs root"; exit 77; }
    as_root="sudo -n"
fi
if dpkg-query -W -f='${Status}' tarnblast 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIP: a tarnblast package is installed already"
    exit 77
fi
wl_setup

"$top/scripts/package.sh" >"$WL_TMP/package.log" 2>&1 ||
    wl_fail "scripts/package.sh failed: $(tail -n 20 "$WL_TMP/package.log")"
deb=$(tail -n 1 "$WL_TMP/package.log")
case $(basename "$deb") in
tarnblast_*_*.deb) ;;
*) wl_fail "no package named tarnblast_VERSION_ARCH.deb: $deb" ;;
esac

export DEBIAN_FRONTEND=noninteractive
if [ -n "$(apt-cache policy lintian 2>/dev/null | awk '/Candidate:/ && $2 != "(none)"')" ]; then
    $as_root apt-get install -y -qq --no-install-recommends lintian >/dev/null 2>&1 ||
        wl_fail "cannot install lintian"
    lintian "$deb" >"$WL_TMP/lintian.txt" 2>&1
    grep -E '^[EW]:' "$WL_TMP/lintian.txt" && wl_fail "lintian reports errors or warnings"
else
    echo "lintian is not available here; not checked"
fi

removed=no
remove_package() {
    [ "$removed" = yes ] || $as_root apt-get purge -y -qq tarnblast >/dev/null 2>&1
    removed=yes
}
trap 'remove_package; wl_cleanup' EXIT
$as_root apt-get install -y -qq "$(realpath "$deb")" >"$WL_TMP/apt.log" 2>&1 ||
    wl_fail "apt could not install the package: $(tail -n 5 "$WL_TMP/apt.log")"
for file in /usr/games/tarnblast /usr/bin/tarnblast-replay /usr/bin/tarnblast-levels \
    /usr/share/games/tarnblast/data/main.bmp /usr/share/applications/tarnblast.desktop \
    /usr/share/icons/hicolor/32x32/apps/tarnblast.xpm; do
    [ -e "$file" ] || wl_fail "$file is not installed"
done
grep -qx 'Exec="/usr/games/tarnblast"' /usr/share/applications/tarnblast.desktop ||
    wl_fail "the desktop entry does not start /usr/games/tarnblast"

# The manual pages are in the package (minimal systems may leave them out
# at install time), and every setting the game reads is in the game's.
for page in man6/tarnblast.6.gz man1/tarnblast-replay.1.gz man1/tarnblast-levels.1.gz; do
    dpkg-deb -c "$deb" | grep -q "/usr/share/man/$page\$" || wl_fail "no $page in the package"
done
for setting in $(grep -rhoE 'getenv\("TARNBLAST_[A-Z_]+' "$top/src" | cut -d'"' -f2 | sort -u); do
    grep -q "^\.B $setting\$" "$top/docs/man/tarnblast.6" ||
        wl_fail "the manual page does not describe $setting"
done

# The installed game, from another folder: its title at the comfortable
# scale (2 on this 1024 x 768 screen), as the installed runner draws it.
cd "$WL_TMP" || wl_fail "cannot enter $WL_TMP"
printf '5*\n' >title.txt
/usr/bin/tarnblast-replay --frames-out frames --frame-list 5 title.txt ||
    wl_fail "the installed runner failed"
convert frames/frame-000005.bmp -scale 200% title.png
wl_start_game /usr/games/tarnblast
wl_screenshot shown.png
[ "$(identify -format '%wx%h' shown.png)" = 640x400 ] ||
    wl_fail "the installed game's window is $(identify -format '%wx%h' shown.png), not 640x400"
[ "$(wl_pixel_difference shown.png title.png)" = 0 ] || wl_fail "the installed game does not show its title"
wl_tap Escape
wl_wait_exit 10
[ "$WL_EXIT_CODE" = 0 ] || wl_fail "Escape ended the installed game with $WL_EXIT_CODE"

remove_package
[ ! -e /usr/games/tarnblast ] && [ ! -e /usr/share/games/tarnblast ] ||
    wl_fail "apt purge left the game behind"
echo "PASS: built, lintian-clean, installed with apt, title shown, Escape 0, removed"
