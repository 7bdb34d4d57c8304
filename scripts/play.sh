#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in its window, at
# the largest comfortable size unless TARNBLAST_SCALE says otherwise. Extra
# environment settings pass through (TARNBLAST_START_MODE=3 for the level
# editor, TARNBLAST_KEYS for your own keys, see the README).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
echo "tarnblast: checking the packages the build needs (installs what is missing)"
"$top/scripts/install-deps.sh" play
echo "tarnblast: configuring the build in $top/build"
cmake -S "$top" -B "$top/build" -DTARNBLAST_TESTS=OFF -DTARNBLAST_BENCHMARKS=OFF >/dev/null
echo "tarnblast: building the game and its data (the first build takes a minute or so)"
if ! cmake --build "$top/build" -j "$(nproc)" --target tarnblast assets >"$top/build/play-build.log" 2>&1; then
    cat "$top/build/play-build.log"
    exit 1
fi
echo "tarnblast: starting the game (Escape quits)"
# The game reads data/ from its working directory: the build tree holds it.
cd "$top/build"
export TARNBLAST_SCALE=${TARNBLAST_SCALE-auto}
exec ./tarnblast
