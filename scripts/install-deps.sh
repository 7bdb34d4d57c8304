#!/usr/bin/env bash
# Installs the Debian packages Tarnblast needs to build, run and test, when
# any of them is missing. Run as root, or as a user who may use sudo.
#   scripts/install-deps.sh          everything (build, play, tests)
#   scripts/install-deps.sh play     only what building and playing need
set -euo pipefail

play_packages="g++ cmake make pkg-config liballegro4-dev"
test_packages="libgtest-dev libbenchmark-dev xvfb xdotool x11-apps x11-utils imagemagick
    sox alsa-utils clang clang-format libclang-rt-14-dev python3"

packages=$play_packages
[ "${1:-all}" = play ] || packages="$packages $test_packages"

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
