#!/usr/bin/env bash
# Fuzzes the game with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: three quarters of the time the frame step,
# starting from the corpus kept in tests/fuzz/corpus, and a quarter the level
# file reader, starting from the small files in tests/fuzz/level-corpus and
# the six built-in levels as the editor exports them. What each finds new
# goes to build-fuzz/fuzz-finds and build-fuzz/level-finds, to be merged into
# its corpus with -merge=1 when worth keeping.
#   scripts/fuzz.sh            60 seconds (what the test run does)
#   scripts/fuzz.sh 14400      four hours
# Any crash, sanitizer report or broken invariant stops it with a non-zero
# exit code and leaves the input as crash-* in the build-fuzz folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
level_seconds=$((seconds / 4))
"$top/scripts/install-deps.sh"
build="$top/build-fuzz"
(cd "$top" && cmake --preset fuzz) >/dev/null
cmake --build "$build" -j "$(nproc)" --target tarnblast_fuzz tarnblast_fuzz_level_file \
    tarnblast-levels assets >/dev/null
cd "$build"
mkdir -p fuzz-finds level-finds level-seeds
for n in 1 2 3 4 5 6; do
    ./tarnblast-levels export "$n" "level-seeds/level$n.txt"
done

status=0
fuzz() {  # NAME SECONDS MAX_LEN FINDS CORPUS...
    local name=$1 time=$2 max_len=$3 code=0
    shift 3
    # The fuzzer's own exit status tells a crash or a broken invariant.
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        "./$name" -max_total_time="$time" -max_len="$max_len" -timeout=20 -print_final_stats=1 \
        "$@" >"$name.log" 2>&1 || code=$?
    grep -E '^#[0-9]+.*(DONE|pulse)|stat::|ERROR|invariant' "$name.log" || true
    [ "$code" = 0 ] || status=1
    echo "fuzz $name: $(grep -E 'stat::number_of_executed_units' "$name.log" | awk '{print $2}') executions, coverage $(grep -E '#[0-9]+.*DONE' "$name.log" | sed -E 's/.*cov: ([0-9]+).*/\1/') edges"
}
fuzz tarnblast_fuzz $((seconds - level_seconds)) 4001 fuzz-finds "$top/tests/fuzz/corpus"
fuzz tarnblast_fuzz_level_file "$level_seconds" 150000 level-finds level-seeds "$top/tests/fuzz/level-corpus"
exit "$status"
