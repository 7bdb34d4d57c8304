#!/usr/bin/env bash
# Long play on every level the game cycles through (2 to 6), to shake out
# crashes and undefined behaviour in the enemies, their shots and
# explosions: for each level one long replay (the player dies often; S on
# the title starts again from level 2) and several shorter ones warped
# straight to the level, each with its own deterministic mix of walking both
# ways, jumping, firing, both arrows held together and pauses.
#
# Usage (from a build directory, ideally one configured with
# -DTARNBLAST_SANITIZE=ON): tests/long/enemy_levels.sh PATH/TO/tarnblast-replay
# A missing data/ directory is fine: the game runs without its assets.
set -u

replay=${1:?usage: enemy_levels.sh PATH/TO/tarnblast-replay}
long_passes=${LONG_PASSES:-30000}
short_runs=${SHORT_RUNS:-8}
short_passes=${SHORT_PASSES:-3000}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

# write_script SEED PASSES FILE: a key script of at least PASSES passes.
# Park-Miller steps keep every product exact in awk's doubles, so a seed
# gives the same script on every machine.
write_script() {
    awk -v seed="$1" -v target="$2" '
    function rnd(n) { state = (state * 16807) % 2147483647; return state % n }
    BEGIN {
        state = seed % 2147483646 + 1
        # Key set, shortest and longest run. Walking right, often jumping, is
        # the most common, since that brings enemies into view; S rides along
        # with most sets so that a death is followed by a new game at once
        # (S does nothing in play).
        n = split("RIGHT SPACE S|RIGHT UP SPACE S|RIGHT UP S|RIGHT S|LEFT SPACE S|LEFT S|" \
                  "UP SPACE S|LEFT RIGHT S|LEFT RIGHT SPACE S|LEFT RIGHT UP|SPACE S||S|" \
                  "RIGHT UP SPACE S|LEFT UP S", keys, "|")
        split("10 10 10 5 5 5 1 5 5 5 10 5 1 100 5", lo, " ")
        split("80 80 60 40 40 40 30 40 40 30 60 80 3 600 40", hi, " ")
        total = 0
        while (total < target) {
            k = rnd(n) + 1
            len = lo[k] + rnd(hi[k] - lo[k] + 1)
            print len "* " keys[k]
            total += len
        }
        print "# " total " passes"
    }' >"$3"
}

failures=0
runs=0

# run_replay LEVEL SCRIPT NAME
run_replay() {
    local level=$1 script=$2 name=$3 code=0
    "$replay" --warp "$level" "$script" --grid-out "$work/$name.grid" \
        >"$work/$name.out" 2>"$work/$name.err" || code=$?
    runs=$((runs + 1))
    if [ "$code" != 0 ]; then
        echo "FAIL: $name exited with code $code"
        tail -n 30 "$work/$name.err"
        failures=$((failures + 1))
    elif grep -q -E 'runtime error|Sanitizer|^SUMMARY:|^==[0-9]+==' "$work/$name.err"; then
        echo "FAIL: $name: sanitizer output"
        head -n 40 "$work/$name.err"
        failures=$((failures + 1))
    elif [ ! -s "$work/$name.grid" ]; then
        echo "FAIL: $name wrote no grid"
        failures=$((failures + 1))
    fi
}

for level in 2 3 4 5 6; do
    write_script $((level * 7919)) "$long_passes" "$work/long$level.keys"
    run_replay "$level" "$work/long$level.keys" "long$level"
    for run in $(seq 1 "$short_runs"); do
        write_script $((level * 7919 + run * 104729)) "$short_passes" "$work/short$level-$run.keys"
        run_replay "$level" "$work/short$level-$run.keys" "short$level-$run"
    done
    echo "level $level: $(grep -h '^# ' "$work"/long$level.keys "$work"/short$level-*.keys |
        awk '{ s += $2 } END { print s }') passes in $((short_runs + 1)) replays"
done

if [ "$failures" != 0 ]; then
    echo "FAIL: $failures of $runs replays"
    exit 1
fi
echo "PASS: $runs replays on levels 2 to 6 without a fault"
