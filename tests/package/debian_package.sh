# The Debian package: built, lintian-clean where lintian exists, with its
# manual pages; installed with apt, the game shows its title and Escape ends
# it with 0; removed. Skipped without root or with tarnblast installed.
. "$(dirname "$0")/../window/window_lib.sh"
top=$(cd "$(dirname "$0")/../.." && pwd)
root=""
[ "$(id -u)" = 0 ] || root="sudo -n"
$root true 2>/dev/null || { echo "SKIP: installing a package needs root"; exit 77; }
dpkg-query -W -f='${Status}' tarnblast 2>/dev/null | grep -q "ok installed" &&
    { echo "SKIP: a tarnblast package is installed already"; exit 77; }
wl_setup
export DEBIAN_FRONTEND=noninteractive

"$top/scripts/package.sh" >"$WL_TMP/package.log" 2>&1 || wl_fail "$(tail -n 20 "$WL_TMP/package.log")"
deb=$(tail -n 1 "$WL_TMP/package.log")
[[ $(basename "$deb") == tarnblast_*_*.deb ]] || wl_fail "no tarnblast_VERSION_ARCH.deb: $deb"
for page in man6/tarnblast.6.gz man1/tarnblast-replay.1.gz man1/tarnblast-levels.1.gz; do
    dpkg-deb -c "$deb" | grep -q "/usr/share/man/$page\$" || wl_fail "no $page in the package"
done
for setting in $(grep -oE '"TARNBLAST_[A-Z_]+"' "$top/src/base/setting_names.h" | tr -d '"'); do
    grep -q "^\.B $setting\$" "$top/docs/man/tarnblast.6" || wl_fail "tarnblast(6) lacks $setting"
done
if apt-cache policy lintian 2>/dev/null | grep -q 'Candidate: [0-9]'; then
    $root apt-get install -y -qq --no-install-recommends lintian >/dev/null 2>&1 ||
        wl_fail "cannot install lintian"
    lintian "$deb" 2>&1 | grep -E '^[EW]:' && wl_fail "lintian reports errors or warnings"
fi

trap '$root apt-get purge -y -qq tarnblast >/dev/null 2>&1; wl_cleanup' EXIT
$root apt-get install -y -qq "$(realpath "$deb")" >"$WL_TMP/apt.log" 2>&1 ||
    wl_fail "apt could not install the package: $(tail -n 5 "$WL_TMP/apt.log")"
grep -qx 'Exec="/usr/games/tarnblast"' /usr/share/applications/tarnblast.desktop ||
    wl_fail "the menu entry does not start /usr/games/tarnblast"
cd "$WL_TMP" || wl_fail "cannot enter $WL_TMP"
printf '5*\n' >title.txt
tarnblast-replay --frames-out frames --frame-list 5 title.txt || wl_fail "the installed runner failed"
convert frames/frame-000005.bmp -scale 200% title.png  # scale 2 fits 3/4 of 1024 x 768
wl_start_game /usr/games/tarnblast TARNBLAST_RECORD=keys.txt
# The installed game shows its title in a 640 x 400 window, once it has drawn it.
title_shown() {
    xwd -silent -id "$WL_WIN" 2>/dev/null | convert xwd:- shown.png 2>/dev/null &&
        [ "$(wl_pixel_difference shown.png title.png)" = 0 ]
}
wl_await title_shown
wl_hold Escape wl_gone "$WL_GAME_PID"
wl_expect_exit 0 10 "Escape in the installed game"
$root apt-get purge -y -qq tarnblast >/dev/null 2>&1 || wl_fail "apt could not remove the package"
[ ! -e /usr/games/tarnblast ] && [ ! -e /usr/share/games/tarnblast ] || wl_fail "the purge left files"
echo "PASS: built, lintian-clean, installed with apt, title shown, Escape 0, removed"
