# The level editor in a real window, independent of the machine's speed: the
# session is recorded (TARNBLAST_RECORD) while Space, Enter, the arrows and
# Right Shift place tiles and export; the replay runner then plays the
# recording, exporting on the very passes the window did, and both files must
# be the same, byte for byte. Escape ends the editor with exit code 0.
# Usage: editor_export.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
wl_setup

out="$WL_TMP/levels/new/level.txt"
wl_start_game "$game" TARNBLAST_START_MODE=3 TARNBLAST_EXPORT_PATH="$out" \
    TARNBLAST_RECORD="$WL_TMP/edit.txt"
wl_tap Shift_R 0.1
sleep 0.2
[ -f "$out" ] || wl_fail "Right Shift wrote no file to $out: $(cat "$WL_TMP/game.err")"
cp "$out" "$WL_TMP/before.txt"
for keys in space Return Right space Return Down Return Shift_R; do
    wl_tap "$keys" 0.3
    sleep 0.1
done
wl_tap Escape
wl_wait_exit 10
[ "$WL_EXIT_CODE" = 0 ] || wl_fail "Escape ended the editor with $WL_EXIT_CODE"
[ "$(stat -c %s "$out")" = 143386 ] || wl_fail "the export is not 143386 bytes long"
cmp -s "$out" "$WL_TMP/before.txt" && wl_fail "nothing was placed"

TARNBLAST_EXPORT_PATH="$WL_TMP/replayed.txt" "$replay" --start-mode 3 "$WL_TMP/edit.txt" ||
    wl_fail "the replay runner refused the recording"
cmp "$out" "$WL_TMP/replayed.txt" || wl_fail "the replay exported another level than the window"
echo "PASS: the editor's export is the one its recording replays to"
