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

# name, start mode, pass to show
render() {
    ./tarnblast-replay --start-mode "$2" --frames-out "$tmp/$1" --frame-list "$3" \
        "$top/docs/demos/$1.txt"
    convert "$tmp/$1/frame-$(printf '%06d' "$3").bmp" -scale 200% "$images/$1.png"
}
render title 1 20
render play 1 "$(sed -n 's/^# frame //p' "$top/docs/demos/play.txt")"
render editor 3 "$(sed -n 's/^# frame //p' "$top/docs/demos/editor.txt")"
./tarnblast-levels map 2 "$tmp/level2.bmp"
convert "$tmp/level2.bmp" -resize 50% "$images/level2-map.png"
echo "wrote $(ls "$images" | tr '\n' ' ')"
