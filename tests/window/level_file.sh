# The designer's round trip in a real window: a level file opened in the
# editor (TARNBLAST_LEVEL), a block placed and written back with Right Shift,
# then the file played, showing the block. Both sessions are recorded, and
# the replay runner with --level replays each to the very frame the window
# showed last, so the checks do not depend on how many passes a key was held.
# Usage: level_file.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
levels="$(dirname "$game")/tarnblast-levels"
wl_setup

level="$WL_TMP/mine.txt"
"$levels" export 2 "$level" || wl_fail "tarnblast-levels export failed"
cp "$level" "$WL_TMP/original.txt"

# Replays a recording with --level and compares its last frame with the one
# the game saved.
same_last_frame() {  # RECORDING FINAL_BMP LEVEL_FILE [runner options]
    local recording=$1 final=$2 file=$3
    shift 3
    local passes out="$WL_TMP/replay-$(basename "$recording" .txt)"
    passes=$(grep -vc '^#' "$recording")
    grep -qx "# on the level file: add --level $(readlink -f "$level")" "$recording" ||
        wl_fail "$recording does not name its level file: $(head -n 2 "$recording")"
    TARNBLAST_EXPORT_PATH="$WL_TMP/replayed-export.txt" "$replay" "$@" --level "$file" \
        --frames-out "$out" --frame-list "$passes" "$recording" || wl_fail "the runner refused $recording"
    convert "$final" "$WL_TMP/game.png"
    convert "$out/frame-$(printf %06d "$passes").bmp" "$WL_TMP/replayed.png"
    [ "$(wl_pixel_difference "$WL_TMP/game.png" "$WL_TMP/replayed.png")" = 0 ]
}

# Edit: Space about 18 passes turns the brush once, to the block; Enter puts
# one under the cursor at (1, 2); Right Shift writes the file back.
wl_start_game "$game" TARNBLAST_START_MODE=3 TARNBLAST_LEVEL="$level" \
    TARNBLAST_RECORD="$WL_TMP/edit.txt" TARNBLAST_FINAL_FRAME="$WL_TMP/edit.bmp"
wl_tap space 0.25
sleep 0.1
wl_tap Return 0.1
sleep 0.1
wl_tap Shift_R 0.1
sleep 0.2
wl_tap Escape
wl_wait_exit 10; code=$WL_EXIT_CODE
[ "$code" = 0 ] || wl_fail "Escape ended the editor with $code: $(cat "$WL_TMP/game.err")"
cmp -s "$level" "$WL_TMP/original.txt" && wl_fail "the level file was not written back with a change"
"$levels" check "$level" || wl_fail "the written-back file is not sound"
same_last_frame "$WL_TMP/edit.txt" "$WL_TMP/edit.bmp" "$WL_TMP/original.txt" --start-mode 3 ||
    wl_fail "the editor's replay ends on another frame"
cmp -s "$WL_TMP/replayed-export.txt" "$level" || wl_fail "the replay wrote another level than the game"

# Play the file: S, a moment, Escape. The window shows the file's level, and
# the same passes on the level as it was before the edit look different.
wl_start_game "$game" TARNBLAST_LEVEL="$level" TARNBLAST_RECORD="$WL_TMP/play.txt" \
    TARNBLAST_FINAL_FRAME="$WL_TMP/play.bmp"
wl_tap s 0.2
sleep 0.5
wl_tap Escape
wl_wait_exit 10; code=$WL_EXIT_CODE
[ "$code" = 0 ] || wl_fail "Escape ended the game with $code: $(cat "$WL_TMP/game.err")"
grep -qx S "$WL_TMP/play.txt" || wl_fail "the recording never started play"
same_last_frame "$WL_TMP/play.txt" "$WL_TMP/play.bmp" "$level" ||
    wl_fail "the play's replay with --level ends on another frame"
same_last_frame "$WL_TMP/play.txt" "$WL_TMP/play.bmp" "$WL_TMP/original.txt" &&
    wl_fail "the window does not show what the edit added"

# A file the game cannot use is refused before any window: exit 2, one line.
printf 'not a level\r\n' >"$WL_TMP/bad.txt"
code=0
TARNBLAST_LEVEL="$WL_TMP/bad.txt" "$game" 2>"$WL_TMP/bad.err" || code=$?
[ "$code" = 2 ] || wl_fail "a bad level file gave exit code $code, not 2"
grep -q "bad.txt: line 1, field 1" "$WL_TMP/bad.err" || wl_fail "the refusal says: $(cat "$WL_TMP/bad.err")"
echo "PASS: edited, written back, played and replayed with --level to the same frames"
