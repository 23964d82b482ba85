#!/usr/bin/env bash
# Installs the Debian packages Clipvane needs (only the missing ones), then configures and builds
# into build/. Sourced by run.sh and test.sh. The build includes the Windows merge tool, which the
# test suite runs under wine.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/install-packages.sh"
install_missing cmake ninja-build g++ qt6-base-dev ffmpeg mediainfo hachoir fonts-wqy-microhei \
  g++-mingw-w64-x86-64-posix wine wine64

if [ ! -f "$root/build/build.ninja" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja
fi
cmake --build "$root/build" -j 2
