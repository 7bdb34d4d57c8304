#!/usr/bin/env bash
# A million passes of play through the replay runner: the game stays
# correct and free of undefined behaviour when it runs for hours (a million
# passes is four hours at 70 a second). Standing on level 6 for a million
# passes, the title timer has run through its 901 values over and over,
# every enemy in view has kept firing, and the player still stands.
# Usage (from a build directory): million_passes.sh PATH/TO/tarnblast-replay
set -u
replay=${1:?usage: million_passes.sh PATH/TO/tarnblast-replay}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
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
