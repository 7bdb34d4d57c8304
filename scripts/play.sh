#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in its window.
# Extra environment settings pass through (TARNBLAST_START_MODE=3 for the
# level editor, see the README).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" play
cmake -S "$top" -B "$top/build" -DTARNBLAST_TESTS=OFF -DTARNBLAST_BENCHMARKS=OFF >/dev/null
cmake --build "$top/build" -j "$(nproc)" --target tarnblast assets >/dev/null
# The game reads data/ from its working directory: the build tree holds it.
cd "$top/build"
exec ./tarnblast
