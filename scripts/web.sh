#!/usr/bin/env bash
# The game in a browser: installs what is missing (Debian's emscripten and
# chromium, the tests' node modules), builds the desktop data/ and then the
# page into build-web/, and serves it on http://127.0.0.1:8000/.
#   scripts/web.sh                  build and serve (Ctrl+C stops the server)
#   scripts/web.sh build [DIR]      only build (default build-web/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
serve=1
[ "${1:-}" = build ] && { serve=0; shift; }
out=$(realpath -m "${1:-$top/build-web}")
# The desktop build whose data/ and tools the page takes (WEB_NATIVE_BUILD:
# another than build/).
native=${WEB_NATIVE_BUILD:-$top/build}

"$top/scripts/install-deps.sh" web
(cd "$top/tests/web" && { [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund >/dev/null; })

echo "== The game's data/ from the desktop build (build/)"
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$native" -DTARNBLAST_TESTS=OFF -DTARNBLAST_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$native" -j "$(nproc)" --target assets font_glyphs tarnblast-icon tarnblast-replay tarnblast-levels >/dev/null

echo "== The page ($out)"
# emscripten's own tools need acorn, which Debian keeps in /usr/share/nodejs.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Debian ships the system libraries prebuilt in a cache that emcc locks while
# it builds; a user who cannot write there gets a tree of links to it of their
# own, where a library that is missing can be built (once: it is slow).
if [ ! -w /usr/share/emscripten/cache ]; then
    export EM_CACHE=${EM_CACHE:-$HOME/.emscripten_cache} EM_FROZEN_CACHE=
    [ -d "$EM_CACHE" ] || cp -rs /usr/share/emscripten/cache "$EM_CACHE"
fi
configure=(emcmake cmake -S "$top" -B "$out" -DTARNBLAST_WEB=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
    -DTARNBLAST_NATIVE_BUILD="$native")
"${configure[@]}" >/dev/null 2>&1 || { "${configure[@]}"; exit 1; }
# A page left from an earlier build must not pass for this one.
if ! cmake --build "$out" -j "$(nproc)" >"$out/build.log" 2>&1; then
    grep -v -E '^\[ *[0-9]+%\]' "$out/build.log"
    echo "web.sh: the build failed" >&2
    exit 1
fi
sent=$(cd "$out" && cat $(cat page-files.txt) service-worker.js | wc -c)
echo "built $out: the page downloads $((sent / 1024)) KiB"

[ "$serve" = 1 ] || exit 0
echo "== Serving $out: open http://127.0.0.1:8000/ (Ctrl+C stops)"
cd "$out" && exec python3 -m http.server -b 127.0.0.1 8000
