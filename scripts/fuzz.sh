#!/usr/bin/env bash
# Fuzzes the game's frame step with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from the corpus kept in
# tests/fuzz/corpus; what it finds new goes to build-fuzz/fuzz-finds, to be
# merged into the corpus with -merge=1 when worth keeping.
#   scripts/fuzz.sh            60 seconds (what the test run does)
#   scripts/fuzz.sh 14400      four hours
# Any crash, sanitizer report or broken invariant stops it with a non-zero
# exit code and leaves the input as crash-* in the build-fuzz folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$top/scripts/install-deps.sh"
build="$top/build-fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNBLAST_FUZZ=ON -DTARNBLAST_TESTS=OFF -DTARNBLAST_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tarnblast_fuzz assets >/dev/null
cd "$build"
mkdir -p fuzz-finds
status=0
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ./tarnblast_fuzz -max_total_time="$seconds" -max_len=4001 -timeout=20 -print_final_stats=1 \
    fuzz-finds "$top/tests/fuzz/corpus" >fuzz.log 2>&1 || status=$?
grep -E '^#[0-9]+.*(DONE|pulse)|stat::|ERROR|invariant' fuzz.log || true
echo "fuzz: $(grep -E 'stat::number_of_executed_units' fuzz.log | awk '{print $2}') executions, coverage $(grep -E '#[0-9]+.*DONE' fuzz.log | sed -E 's/.*cov: ([0-9]+).*/\1/') edges"
exit "$status"
