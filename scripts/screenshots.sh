#!/usr/bin/env bash
# Renders the README's pictures with the game's own tools: the replay runner
# draws the frames of the scripts in docs/demos/, tarnblast-levels draws the
# level map, and ImageMagick turns them into PNG files in docs/images/.
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
render title
render play
render editor
./tarnblast-levels map 2 "$tmp/level2.bmp"
convert "$tmp/level2.bmp" -resize 50% "$images/level2-map.png"
echo "wrote $(ls "$images" | tr '\n' ' ')"
