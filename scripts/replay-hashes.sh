#!/usr/bin/env bash
# Prints one line of hashes per run of the replay runner: the trace of every
# pass, the frames of the first 600 passes and the final level grid, for the
# demo scripts in docs/demos/ and for long pseudo-random key scripts in the
# title, the editor and on each play level. Two builds that print the same
# lines play, draw, sound and export exactly alike.
#   scripts/replay-hashes.sh [BUILD_DIR]      (default: build/)
#   scripts/replay-hashes.sh --web BUILD_WEB_DIR [BUILD_DIR]
#       the same runs by the browser build's runner under node, in a folder
#       holding BUILD_DIR's data/: its lines must equal the desktop runner's
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
runner=(./tarnblast-replay)
if [ "${1:-}" = --web ]; then
    runner=(node "$(cd "$2" && pwd)/tarnblast-replay.js")
    shift 2
fi
build=$(cd "${1:-$top/build}" && pwd)
where=$build
if [ "${runner[0]}" = node ]; then
    where="$tmp/web"
    mkdir "$where" && ln -s "$build/data" "$where/data"
fi

digest() { sha256sum | cut -c1-16; }

# A key script of N passes from a fixed linear congruential sequence: every
# pass holds a few of the keys, each held for a random stretch.
random_script() {  # seed passes keys...
    awk -v seed="$1" -v passes="$2" -v keys="$3" 'BEGIN {
        n = split(keys, k, " "); s = seed
        for (p = 0; p < passes; ) {
            s = (s * 1103515245 + 12345) % 2147483648; mask = int(s / 65536) % (2 ^ n)
            s = (s * 1103515245 + 12345) % 2147483648; len = 1 + int(s / 65536) % 40
            line = ""
            for (i = 1; i <= n; i++) if (int(mask / 2 ^ (i - 1)) % 2) line = line " " k[i]
            if (p + len > passes) len = passes - p
            print len "*" line; p += len
        }
    }'
}

run() {  # label script options...
    local label=$1 script=$2
    shift 2
    local out="$tmp/$label"
    mkdir -p "$out/frames"
    (cd "$where" && "${runner[@]}" "$@" --trace "$out/trace.jsonl" \
        --frames-out "$out/frames" --frame-list 1-600 --grid-out "$out/grid.txt" "$script")
    printf '%-14s trace %s frames %s grid %s\n' "$label" \
        "$(digest <"$out/trace.jsonl")" \
        "$(cat "$out"/frames/*.bmp | digest)" "$(digest <"$out/grid.txt")"
    rm -rf "$out"
}

for demo in "$top"/docs/demos/*.txt; do
    name=$(basename "$demo" .txt)
    # shellcheck disable=SC2046
    run "demo-$name" "$demo" $(sed -n 's/^# options //p' "$demo")
done
random_script 7 20000 "LEFT RIGHT UP SPACE S" >"$tmp/title.txt"
run random-title "$tmp/title.txt" --start-mode 1
random_script 11 20000 "LEFT RIGHT UP DOWN SPACE ENTER F1 F2 F3 F4" >"$tmp/editor.txt"
run random-editor "$tmp/editor.txt" --start-mode 3
for level in 2 3 4 5 6; do
    random_script "$level" 6000 "LEFT RIGHT RIGHT UP SPACE" >"$tmp/level.txt"
    run "random-level$level" "$tmp/level.txt" --warp "$level"
done
