#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit
# tests, the real-window tests under Xvfb, the long runs and the check of the
# code against .clang-format, then the browser build and its tests in
# headless Chromium, then the unit tests and long runs again in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and fuzzes the frame step
# for a minute. The builds are the presets of CMakePresets.json.
# Ends with one summary line.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$top/scripts/install-deps.sh" || { echo "tests: 0 passed, 1 failed"; exit 1; }

passed=0
failed=0
skipped=0
# Runs one build's tests and adds them to the counts; a configure or build
# that fails counts as one failed test, so the summary never hides it.
run_suite() {  # preset build-dir label-regex
    local preset=$1 dir=$2 labels=$3
    # Warnings are errors in the presets (CMAKE_COMPILE_WARNING_AS_ERROR).
    local said
    if ! said=$(cd "$top" && cmake --preset "$preset" 2>&1); then
        echo "$said"
        echo "== The $preset configure failed"
        failed=$((failed + 1))
        return 1
    fi
    if ! cmake --build "$dir" -j "$jobs" >"$dir/build.log" 2>&1; then
        cat "$dir/build.log"
        echo "== The $preset build failed"
        failed=$((failed + 1))
        return 1
    fi
    local log="$dir/ctest.log"
    (cd "$dir" && ctest -j "$jobs" -L "$labels" --output-on-failure --timeout 1500) | tee "$log"
    local summary total bad skip
    summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$summary" ]; then
        echo "== ctest gave no summary for the $preset build"
        failed=$((failed + 1))
        return 1
    fi
    total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
    bad=$(echo "$summary" | sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/')
    # ctest counts a skipped test (exit code 77, the package test without
    # root) among the passed ones and lists it as "(Skipped)".
    skip=$(grep -cE '^[[:space:]]*[0-9]+ - [^ ]+ \(Skipped\)' "$log")
    passed=$((passed + total - bad - skip))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
    [ "$bad" = 0 ]
}

# The browser build, then its tests: one line each, "ok" or "FAIL".
run_web_suite() {
    echo "== The browser build (build-web/) and its tests in headless Chromium"
    if ! "$top/scripts/web.sh" build "$top/build-web"; then
        echo "== The browser build failed"
        failed=$((failed + 1))
        return 1
    fi
    local log="$top/build-web/tests.log" ok bad
    "$top/tests/web/run.sh" "$top/build-web" "$top/build" | tee "$log"
    ok=$(grep -c '^ok ' "$log")
    bad=$(grep -c '^FAIL ' "$log")
    [ "$ok" -gt 0 ] || bad=$((bad + 1))
    passed=$((passed + ok))
    failed=$((failed + bad))
    [ "$bad" = 0 ]
}

status=0
run_suite default "$top/build" '.*' || status=1
run_web_suite || status=1
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite sanitize "$top/build-sanitize" 'unit|long' || status=1
echo "== Fuzzing the frame step for 60 seconds"
if "$top/scripts/fuzz.sh" 60; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi
[ "$failed" = 0 ] || status=1
echo "tests: $passed passed, $failed failed$([ "$skipped" = 0 ] || echo ", $skipped skipped")"
exit $status
