#!/usr/bin/env bash
# Builds the Debian package: tarnblast_VERSION_ARCH.deb in build-deb/ (or
# the folder given), laid out for Debian (the game in /usr/games, its data
# in /usr/share/games/tarnblast), with Debian's hardening flags. Prints the
# package's path last.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-deb}
"$top/scripts/install-deps.sh" package
flags() { dpkg-buildflags --get "$1" 2>/dev/null || true; }
echo "Configuring $build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DTARNBLAST_GAMES_LAYOUT=ON -DTARNBLAST_TESTS=OFF -DTARNBLAST_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS) -Wl,-z,now" >/dev/null
echo "Building (a minute or two)"
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }
echo "Packaging"
rm -f "$build"/tarnblast_*.deb
(cd "$build" && cpack -G DEB >"$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; exit 1; }
ls "$build"/tarnblast_*.deb
