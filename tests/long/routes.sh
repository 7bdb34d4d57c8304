#!/usr/bin/env bash
# Every level the game cycles through can be finished: tarnblast-levels
# route finds a way through levels 2 to 6, and the replay runner, playing
# each script from the start, ends it in the next level still in play. The
# scripts never hold S, so a death would leave the game on the title for
# good: in play at the last pass means in play at every pass. One level is
# routed twice to show that the same level gives the same script. In a
# sanitizer build, where everything runs far slower, only level 3 is routed.
# Usage (from a build directory): routes.sh PATH/TO/tarnblast-replay
set -u
replay=${1:?usage: routes.sh PATH/TO/tarnblast-replay}
levels_tool=$(dirname "$replay")/tarnblast-levels
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# A top-level number of one line of a trace.
field() { grep -o "\"$2\":-\?[0-9]*" <<<"$1" | head -n 1 | cut -d: -f2; }

levels="2 3 4 5 6"
grep -q __asan_init "$levels_tool" && levels=3

for level in $levels; do
    script="$work/route$level.txt"
    if ! "$levels_tool" route "$level" --seconds 30 --out "$script" 2>"$work/route$level.err"; then
        fail "no route through level $level: $(tail -n 1 "$work/route$level.err")"
        continue
    fi
    tail -n 1 "$work/route$level.err"
    passes=$(sed -n 's/.*route: \([0-9]*\) passes.*/\1/p' "$script")
    "$replay" --warp "$level" --trace "$work/trace$level.jsonl" \
        --trace-list "$((passes - 1)),$passes" "$script" || fail "replay of level $level ended with $?"
    before=$(sed -n 1p "$work/trace$level.jsonl")
    after=$(sed -n 2p "$work/trace$level.jsonl")
    next=$((level == 6 ? 2 : level + 1))
    [ "$(field "$before" level_number)" = "$level" ] && [ "$(field "$before" game_mode)" = 2 ] ||
        fail "level $level: not in play on level $level at pass $((passes - 1))"
    [ "$(field "$after" level_number)" = "$next" ] && [ "$(field "$after" game_mode)" = 2 ] ||
        fail "level $level: not in play on level $next at the last pass, $passes"
done

first=${levels%% *}
"$levels_tool" route "$first" --seconds 30 2>/dev/null >"$work/again.txt"
cmp -s "$work/again.txt" "$work/route$first.txt" || fail "level $first routed twice gave two scripts"

[ "$failures" = 0 ] || exit 1
echo "PASS: routes through levels $levels found and replayed into the next level"
