#!/usr/bin/env bash
# Installs the Debian packages Clipvane needs (only the missing ones, listed in packages.sh), then
# configures and builds into build/. Sourced by run.sh, test.sh and scripts/fuzz.sh.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/packages.sh"
install_packages "${packages[@]}"

if [ ! -f "$root/build/build.ninja" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja
fi
cmake --build "$root/build" -j 2
