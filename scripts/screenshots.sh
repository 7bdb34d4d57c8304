#!/usr/bin/env bash
# Renders the README's pictures with the game's own tools: the replay runner
# draws the frames of the scripts in docs/demos/ and of a route that
# tarnblast-levels finds, tarnblast-levels draws the level map, and
# ImageMagick turns them into PNG files in docs/images/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build"
cmake -S "$top" -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target tarnblast-replay tarnblast-levels assets >/dev/null
cd "$build"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
images="$top/docs/images"
mkdir -p "$images"

# Each demo script names the pass to show ("# frame N") and the runner's
# options ("# options ...") in its first comment lines.
render() {
    local script="$top/docs/demos/$1.txt"
    local frame options
    frame=$(sed -n 's/^# frame //p' "$script")
    options=$(sed -n 's/^# options //p' "$script")
    # shellcheck disable=SC2086
    ./tarnblast-replay $options --frames-out "$tmp/$1" --frame-list "$frame" "$script"
    convert "$tmp/$1/frame-$(printf '%06d' "$frame").bmp" -scale 200% "$images/$1.png"
}
# A strip of six frames of a level being finished, from the route that
# tarnblast-levels route finds through it, replayed by the runner: passes
# evenly spread over the route, the last one the pass that reaches the end.
route_strip() {
    local level=$1 count=6 passes list="" i
    ./tarnblast-levels route "$level" --out "$tmp/route$level.txt" 2>/dev/null
    passes=$(sed -n 's/.*route: \([0-9]*\) passes.*/\1/p' "$tmp/route$level.txt")
    for i in $(seq 1 "$count"); do list="$list,$((passes * i / count))"; done
    ./tarnblast-replay --warp "$level" --frames-out "$tmp/route$level" --frame-list "${list#,}" \
        "$tmp/route$level.txt"
    convert "$tmp/route$level"/frame-*.bmp -bordercolor '#606060' -border 1 +append \
        "$images/route-level$level.png"
}
render title
render play
render editor
route_strip 2
./tarnblast-levels map 2 "$tmp/level2.bmp"
convert "$tmp/level2.bmp" -resize 50% "$images/level2-map.png"
# The game in a browser: the page (scripts/web.sh builds it) replays the play
# demo in headless Chromium, which takes the picture.
"$top/scripts/web.sh" build "$top/build-web" >/dev/null
"$top/tests/web/run.sh" "$top/build-web" "$build" --only screenshot --screenshot "$images/browser.png"
echo "wrote $(ls "$images" | tr '\n' ' ')"
