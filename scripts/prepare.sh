#!/usr/bin/env bash
# Installs the Debian packages Clipvane and its tests need (only the missing ones, listed in
# packages.sh), then configures build/ with the tests and builds everything into it. Sourced by
# test.sh, scripts/fuzz.sh and scripts/screenshots.sh.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/packages.sh"
install_packages "${packages[@]}"

# Configured every time: run.sh may have made build/ without the tests.
cmake -S "$root" -B "$root/build" -G Ninja -DCLIPVANE_TESTS=ON
cmake --build "$root/build" -j 2
