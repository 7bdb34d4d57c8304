#!/usr/bin/env bash
# Every level the game cycles through can be finished: tarnblast-levels
# route finds a way through levels 2 to 6, and the replay runner, playing
# each script from the start, ends it in the next level still in play. The
# scripts never hold S, so a death would leave the game on the title for
# good: in play at the last pass means in play at every pass. One level is
# routed as a level file, and a level with no way through is checked. In a
# sanitizer build, where everything runs far slower, only level 3 is routed.
# Usage (from a build directory): routes.sh PATH/TO/tarnblast-replay
set -u
replay=${1:?usage: routes.sh PATH/TO/tarnblast-replay}
levels_tool=$(dirname "$replay")/tarnblast-levels
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# in_play TRACE LINE LEVEL: that line of the trace is in play on that level.
in_play() {
    local at
    at=$(sed -n "$2p" "$1")
    grep -q "\"game_mode\":2," <<<"$at" && grep -q "\"level_number\":$3," <<<"$at"
}

levels="2 3 4 5 6" seconds=30
grep -q __asan_init "$levels_tool" && levels=3 seconds=600

for level in $levels; do
    script="$work/route$level.txt"
    if ! "$levels_tool" route "$level" --seconds "$seconds" --out "$script" 2>"$work/route$level.err"; then
        fail "no route through level $level: $(tail -n 1 "$work/route$level.err")"
        continue
    fi
    tail -n 1 "$work/route$level.err"
    passes=$(sed -n 's/.*route: \([0-9]*\) passes.*/\1/p' "$script")
    "$replay" --warp "$level" --trace "$work/trace$level.jsonl" \
        --trace-list "$((passes - 1)),$passes" "$script" || fail "replay of level $level ended with $?"
    next=$((level == 6 ? 2 : level + 1))
    in_play "$work/trace$level.jsonl" 1 "$level" ||
        fail "level $level: not in play on level $level at pass $((passes - 1))"
    in_play "$work/trace$level.jsonl" 2 "$next" ||
        fail "level $level: not in play on level $next at the last pass, $passes"
done

# A level file: the script starts on the title with S, and the file's level
# comes again after its end, as level 3.
"$levels_tool" export 3 "$work/level3.txt"
if "$levels_tool" route "$work/level3.txt" --seconds "$seconds" --out "$work/file.txt" 2>/dev/null; then
    passes=$(sed -n 's/.*route: \([0-9]*\) passes.*/\1/p' "$work/file.txt")
    "$replay" --level "$work/level3.txt" --trace "$work/file.jsonl" --trace-list "$passes" "$work/file.txt"
    in_play "$work/file.jsonl" 1 3 ||
        fail "the route through a level file did not end in play on its second round"
else
    fail "no route through level 3 as a file"
fi

# No way through: from column 60 on, nothing to land on and a drop marker in
# every cell. check says so in its time.
awk 'BEGIN { RS = "\r\n"; drop = sprintf("%-14s", " 1020,") }
{ keep = NR == 1 ? 59 : 60; fields = NR == 1 ? 511 : 512; line = substr($0, 1, keep * 14)
  for (i = keep; i < fields; i++) line = line drop; printf "%s\r\n", line }' \
    "$work/level3.txt" >"$work/pit.txt"
"$levels_tool" check "$work/pit.txt" --seconds 2 >"$work/pit.out" 2>/dev/null
code=$?
[ "$code" = 1 ] && grep -q "pit.txt: no route found in 2\.[0-9] s" "$work/pit.out" ||
    fail "check of a level with no way through: exit $code, $(tail -n 1 "$work/pit.out")"

[ "$failures" = 0 ] || exit 1
echo "PASS: routes through levels $levels found and replayed into the next level"
