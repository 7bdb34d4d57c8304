#!/usr/bin/env bash
# Installs the Debian packages Tarnblast needs to build, run and test, when
# any of them is missing. Run as root, or as a user who may use sudo.
#   scripts/install-deps.sh          everything (build, play, tests)
#   scripts/install-deps.sh play     only what building and playing need
#   scripts/install-deps.sh package  what building the Debian package needs
#   scripts/install-deps.sh web      what the browser build and its tests need
set -euo pipefail

play_packages="g++ cmake make pkg-config liballegro4-dev zlib1g-dev"
test_packages="libgtest-dev libbenchmark-dev xvfb xdotool x11-apps x11-utils imagemagick
    sox alsa-utils clang clang-format libclang-rt-14-dev python3"
package_packages="dpkg-dev file"
# Debian's emscripten builds offline; Chromium runs the browser tests. npm is
# only wanted where no Node.js with its own npm is installed.
web_packages="emscripten chromium python3"
command -v npm >/dev/null || web_packages="$web_packages npm"

packages=$play_packages
case ${1:-all} in
play) ;;
package) packages="$packages $package_packages" ;;
web) packages="$packages $web_packages" ;;
*) packages="$packages $test_packages $package_packages $web_packages" ;;
esac

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
as_root=""
[ "$(id -u)" = 0 ] || as_root="sudo"
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
