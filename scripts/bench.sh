#!/usr/bin/env bash
# Measures the game's speed and states each figure against its target:
#   - the cost of one pass on the busiest window of levels 2 to 6 against the
#     floor of a pass (Google Benchmark, headless), target at most 3 times;
#   - the replay runner's --timedemo on a 10,000-pass script, target at least
#     20,000 passes per second;
#   - the real window loop under Xvfb for 12 seconds: the mean rate (target
#     70 +/- 0.5 passes per second), the 99th percentile of the time between
#     passes (target at most 16 ms), the CPU used (target under 10% of one
#     core), and the time from start to the first shown frame (target under
#     150 ms);
#   - the CPU a scaled window costs: the game at scale 1 and at scale 3 run
#     side by side on one display for 10 s (target: scale 3 at most 1.5
#     times scale 1);
#   - the browser build's replay runner under node against the desktop's, the
#     same --timedemo run by each in turn (target: at least 0.8 times the
#     desktop's passes per second);
#   - a cold load of the page in headless Chromium over 1.6 Mbit/s with 150 ms
#     round trips (bench/page_load.mjs): the first title frame (target within
#     2.5 s) and every byte it downloads (target at most 300 kB).
# Usage: scripts/bench.sh   (installs what is missing and builds first)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build"
(cd "$top" && cmake --preset default) >/dev/null
cmake --build "$build" -j "$(nproc)" --target tarnblast tarnblast-replay tarnblast_bench \
    tarnblast_pacing_shim assets >/dev/null
"$top/scripts/web.sh" build "$top/build-web" >/dev/null
cd "$build"
tmp=$(mktemp -d)
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$tmp"' EXIT

verdict() { awk -v ok="$1" 'BEGIN { print (ok ? "meets target" : "MISSES TARGET") }'; }

echo "== Cost of a pass (headless, Google Benchmark, $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'))"
./bench/tarnblast_bench --benchmark_format=csv --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep '_median' >"$tmp/bench.csv"
# CSV fields: name, iterations, real time, CPU time, unit (us here).
floor=$(awk -F, '/floor_of_a_pass/ { print $3 }' "$tmp/bench.csv")
printf '  floor (clear, HUD, copy 320 x 200): %.1f us\n' "$floor"
awk -F, -v floor="$floor" '/pass_on_busiest_window/ {
    gsub(/"|_median/, "", $1); split($1, name, "/"); us = $3; ratio = us / floor
    printf "  level %s busiest window: %.1f us, %.2f x the floor (target <= 3): %s\n",
        name[2], us, ratio, (ratio <= 3 ? "meets target" : "MISSES TARGET") }' "$tmp/bench.csv"

echo "== Replay runner --timedemo (10,000 passes of play on level 4)"
{
    for i in $(seq 100); do
        echo "40* RIGHT SPACE"
        echo "10* UP"
        echo "30* LEFT SPACE"
        echo "20* RIGHT"
    done
} >"$tmp/timedemo.txt"
line=$(./tarnblast-replay --warp 4 --timedemo "$tmp/timedemo.txt")
rate=$(echo "$line" | sed -E 's/.*: ([0-9]+) passes per second/\1/')
echo "  $line (target >= 20000): $(verdict "$((rate >= 20000))")"

echo "== Real window loop under Xvfb, 12 s"
for n in $(seq 150 199); do
    [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
TARNBLAST_PACING_FILE="$tmp/pacing.txt" LD_PRELOAD="$build/bench/libtarnblast_pacing_shim.so" \
    ./tarnblast 2>/dev/null &
game=$!
sleep 1
ticks_before=$(awk '{ print $14 + $15 }' "/proc/$game/stat")
sleep 12
ticks_after=$(awk '{ print $14 + $15 }' "/proc/$game/stat")
window=$(xdotool search --name '^Tarnblast$' | head -n 1)
xdotool keydown --window "$window" Escape 2>/dev/null
sleep 0.3
xdotool keyup --window "$window" Escape 2>/dev/null || true
wait "$game" || true
hz=$(getconf CLK_TCK)
cpu=$(awk -v t=$((ticks_after - ticks_before)) -v hz="$hz" 'BEGIN { printf "%.1f", 100 * t / hz / 12 }')
# Passes between 1 s and 11 s after start: a steady stretch of 10 s.
awk 'NR == 1 { first = $1 } $1 >= 1 && $1 <= 11 { t[n++] = $1 }
     END {
         rate = (n - 1) / (t[n - 1] - t[0])
         for (i = 1; i < n; i++) d[i] = (t[i] - t[i - 1]) * 1000
         m = n - 1
         for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (d[j] < d[i]) { x = d[i]; d[i] = d[j]; d[j] = x }
         p99 = d[int(0.99 * m)]
         printf "  mean rate over 10 s: %.2f passes per second (target 70 +/- 0.5): %s\n", rate, (rate >= 69.5 && rate <= 70.5 ? "meets target" : "MISSES TARGET")
         printf "  99th percentile between passes: %.1f ms (target <= 16): %s\n", p99, (p99 <= 16 ? "meets target" : "MISSES TARGET")
         printf "  start to the first shown frame: %.0f ms (target < 150): %s\n", first * 1000, (first < 0.15 ? "meets target" : "MISSES TARGET")
     }' "$tmp/pacing.txt"
echo "  CPU use: $cpu% of one core (target < 10): $(verdict "$(awk -v c="$cpu" 'BEGIN { print (c < 10) }')")"

echo "== Scaled window: scale 1 and scale 3 side by side, 10 s"
# CPU ticks (user + system) of a process so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
declare -A scale_pid scale_before
for scale in 1 3; do
    TARNBLAST_SCALE=$scale ./tarnblast 2>/dev/null &
    scale_pid[$scale]=$!
done
sleep 1
for scale in 1 3; do scale_before[$scale]=$(cpu_ticks "${scale_pid[$scale]}"); done
sleep 10
declare -A scale_cpu
for scale in 1 3; do
    scale_cpu[$scale]=$(awk -v t=$(($(cpu_ticks "${scale_pid[$scale]}") - scale_before[$scale])) \
        -v hz="$hz" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }')
done
for window in $(xdotool search --name '^Tarnblast$'); do
    xdotool keydown --window "$window" Escape 2>/dev/null
done
sleep 0.3
for window in $(xdotool search --name '^Tarnblast$'); do
    xdotool keyup --window "$window" Escape 2>/dev/null || true
done
wait "${scale_pid[1]}" "${scale_pid[3]}" || true
ratio=$(awk -v a="${scale_cpu[1]}" -v b="${scale_cpu[3]}" 'BEGIN { printf "%.2f", (a > 0 ? b / a : 0) }')
echo "  CPU use: scale 1 ${scale_cpu[1]}%, scale 3 ${scale_cpu[3]}% of one core;" \
    "scale 3 is $ratio x scale 1 (target <= 1.5): $(verdict "$(awk -v r="$ratio" 'BEGIN { print (r > 0 && r <= 1.5) }')")"

echo "== The browser's replay runner against the desktop's: the same --timedemo, 7 runs each in turn"
# The passes per second of each run, by runner, then their medians.
for i in $(seq 7); do
    for runner in desktop web; do
        if [ $runner = desktop ]; then line=$(./tarnblast-replay --warp 4 --timedemo "$tmp/timedemo.txt")
        else line=$(node "$top/build-web/tarnblast-replay.js" --warp 4 --timedemo "$tmp/timedemo.txt"); fi
        echo "$runner $(echo "$line" | sed -E 's/.*: ([0-9]+) passes per second/\1/')"
    done
done | sort -k1,1 -k2,2n | awk '{ r[$1, ++n[$1]] = $2 }
    END {
        d = r["desktop", 4]; w = r["web", 4]
        printf "  median passes per second: desktop %d, web %d: %.2f x the desktop (target >= 0.8): %s\n",
            d, w, w / d, (w / d >= 0.8 ? "meets target" : "MISSES TARGET")
    }'

echo "== A cold load of the page at 1.6 Mbit/s with 150 ms round trips, 3 runs"
(cd "$top/tests/web" && { [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund >/dev/null; })
node "$top/bench/page_load.mjs" "$top/build-web"
