# cmake --install: launchers in bin/ that start the installed game, runner
# and level tools from share/tarnblast (which holds data/) while file names stay
# those of the user's working directory; a desktop entry and an icon; the
# installed tree still works after being moved; a missing data folder is
# named with the path tried, exit code 1.
# Usage: install.sh GAME REPLAY (from the build directory, which is installed)
. "$(dirname "$0")/window_lib.sh"
wl_setup

prefix="$WL_TMP/prefix"
cmake --install . --prefix "$prefix" >"$WL_TMP/install.log" 2>&1 ||
    wl_fail "cmake --install failed: $(cat "$WL_TMP/install.log")"

for file in bin/tarnblast bin/tarnblast-replay bin/tarnblast-levels libexec/tarnblast/tarnblast \
    libexec/tarnblast/tarnblast-replay libexec/tarnblast/tarnblast-levels; do
    [ -x "$prefix/$file" ] || wl_fail "$file is not installed as a program"
done
for file in main.bmp main2.bmp sgun.wav blowup.wav gmsong.wav; do
    cmp -s "$prefix/share/tarnblast/data/$file" "data/$file" || wl_fail "data/$file is not installed"
done

# The desktop entry starts the launcher by its full path; the icon is the
# hero, 32 x 32, in the icon theme that the entry's Icon= name is looked up in.
desktop="$prefix/share/applications/tarnblast.desktop"
[ -f "$desktop" ] || wl_fail "no desktop entry"
grep -qx "Exec=\"$prefix/bin/tarnblast\"" "$desktop" || wl_fail "bad Exec line: $(grep Exec "$desktop")"
grep -qx 'Icon=tarnblast' "$desktop" || wl_fail "bad Icon line"
grep -qx 'Type=Application' "$desktop" || wl_fail "bad Type line"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || wl_fail "the desktop entry is not valid"
fi
icon="$prefix/share/icons/hicolor/32x32/apps/tarnblast.xpm"
[ -f "$icon" ] || wl_fail "no icon"
[ "$(identify -format '%wx%h' "$icon")" = 32x32 ] || wl_fail "the icon is not 32 x 32"
colours=$(convert "$icon" -alpha off -unique-colors -format '%w' info:)
[ "$colours" -ge 8 ] || wl_fail "the icon has only $colours colours"
grep -q "$desktop" install_manifest.txt || wl_fail "the desktop entry is not in install_manifest.txt"

# Started from another folder, with relative file names.
elsewhere="$WL_TMP/elsewhere"
mkdir -p "$elsewhere"
cd "$elsewhere" || wl_fail "cannot enter $elsewhere"
printf '5*\n' >title.txt
"$prefix/bin/tarnblast-replay" --frames-out frames --frame-list 5 title.txt ||
    wl_fail "the installed runner failed"
[ -f "$elsewhere/frames/frame-000005.bmp" ] || wl_fail "the runner's frames did not land in the working folder"
# The level tool's files, the game's recording and the file it edits are
# those of the working folder too: the editor on a level file named
# relatively writes back to it, not to the default place.
"$prefix/bin/tarnblast-levels" export 2 mine.txt && "$prefix/bin/tarnblast-levels" map 3 map3.bmp ||
    wl_fail "the installed level tool failed"
[ -s map3.bmp ] && touch -d 2001-01-01 mine.txt || wl_fail "the level tool's files did not land in the working folder"
wl_start_game "$prefix/bin/tarnblast" TARNBLAST_START_MODE=3 TARNBLAST_LEVEL=mine.txt TARNBLAST_RECORD=demo.txt
wl_hold Shift_R wl_recorded RSHIFT demo.txt
wl_hold Escape wl_gone "$WL_GAME_PID"
wl_expect_exit 0 10 "Escape in the installed editor"
[ "$(stat -c %Y mine.txt)" -gt 1000000000 ] && [ ! -e d: ] || wl_fail "the editor did not write back to mine.txt"
# With neither an export path nor a level file, the export lands in the
# player's data folder, wherever the program was started from (a menu starts
# the game in the home folder).
printf 'RSHIFT\n' >export.txt
XDG_DATA_HOME="$elsewhere/xdg" "$prefix/bin/tarnblast-replay" --start-mode 3 export.txt ||
    wl_fail "the installed runner did not export"
[ "$(stat -c %s "$elsewhere/xdg/tarnblast/level.txt" 2>/dev/null)" = 143386 ] && [ ! -e d: ] ||
    wl_fail "the default export is not in the player's data folder"

# The installed tree works from wherever it is moved to.
moved="$WL_TMP/moved"
mv "$prefix" "$moved"
"$moved/bin/tarnblast-replay" --frames-out moved-frames --frame-list 5 title.txt ||
    wl_fail "the moved runner failed"
cmp -s moved-frames/frame-000005.bmp frames/frame-000005.bmp || wl_fail "the moved runner drew another frame"

# Without its data folder, each launcher names the path it tried.
mv "$moved/share/tarnblast/data" "$moved/share/tarnblast/data-away"
for program in tarnblast tarnblast-replay; do
    code=0
    "$moved/bin/$program" title.txt >out.txt 2>err.txt || code=$?
    [ "$code" = 1 ] || wl_fail "$program without data exited with $code, not 1"
    [ "$(cat err.txt)" = "$program: no data directory: tried $moved/share/tarnblast/data" ] ||
        wl_fail "$program without data says: $(cat err.txt)"
done
echo "PASS: installed launchers, data, desktop entry and icon; relocatable; missing data named"
