#!/usr/bin/env bash
# A million passes of play and a million of the editor through the replay
# runner: the game stays correct and free of undefined behaviour when it
# runs for hours (a million passes is four hours at 70 a second).
#   - Play: standing on level 6 for a million passes, the title timer has run
#     through its 901 values over and over, every enemy in view has kept
#     firing, and the player still stands.
#   - Editor: an enemy placed in mid-air falls 2 pixels on every pass for
#     good, and holding F1 scrolls the view left without end; both counters
#     are exactly where a million passes take them.
# Usage (from a build directory): million_passes.sh PATH/TO/tarnblast-replay
set -u
replay=${1:?usage: million_passes.sh PATH/TO/tarnblast-replay}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
# A field of the trace's last line (top-level numbers only).
field() { grep -o "\"$2\":-\?[0-9]*" "$1" | head -n 1 | cut -d: -f2; }

passes=1000000

printf '%s*\n' "$passes" >"$work/play.txt"
"$replay" --warp 6 --trace "$work/play.jsonl" --trace-list "$passes" "$work/play.txt" ||
    fail "play run ended with $?"
[ "$(field "$work/play.jsonl" game_mode)" = 2 ] || fail "the player did not survive standing still"
[ "$(field "$work/play.jsonl" title_timer)" = $((passes % 901)) ] || fail "title timer off"
grep -o '"next_shot":-\?[0-9]*' "$work/play.jsonl" | cut -d: -f2 |
    awk '$1 < 1 || $1 > 20 { bad = 1 } END { exit bad }' || fail "an enemy's next shot left 1..20"

# Editor: move the cursor to row 6, column 32, over the empty middle of
# level 1 (20 passes of Down, 120 of Right), pick the group A brush (22 passes
# of Space) and place it; leave it falling for half a million passes, then
# hold F1 for the rest.
idle=500000
setup=163
{
    echo "20* DOWN"
    echo "120* RIGHT"
    echo "22* SPACE"
    echo "ENTER"
    echo "$idle*"
    echo "$((passes - setup - idle))* F1"
} >"$work/editor.txt"
early=$((setup + 100000))
late=$((setup + idle))
"$replay" --start-mode 3 --trace "$work/editor.jsonl" --trace-list "$early,$late,$passes" \
    "$work/editor.txt" || fail "editor run ended with $?"
offsets=$(grep -o '"enemies_a":\[{[^]]*' "$work/editor.jsonl" | grep -o '"offset_y":-\?[0-9]*' |
    cut -d: -f2 | tr '\n' ' ')
read -r at_early at_late _ <<<"$offsets"
[ "$((at_late - at_early))" = $((2 * (late - early))) ] ||
    fail "a falling enemy should drop 2 pixels a pass: $at_early at $early, $at_late at $late"
tail -n 1 "$work/editor.jsonl" >"$work/last.jsonl"
[ "$(field "$work/last.jsonl" camera_x)" = $((-10 * (passes - setup - idle))) ] || fail "F1 scroll off"
[ "$(field "$work/last.jsonl" camera_column)" = $((-(passes - setup - idle))) ] ||
    fail "camera column off"
echo "PASS: a million passes of play and of the editor"
