#!/usr/bin/env bash
# Builds the merge tool for 64-bit Windows, rmevents.exe, as one static executable, with Debian's
# mingw-w64 (installing what is missing). Usage: scripts/build-windows-tool.sh [FOLDER]; the
# folder defaults to build-windows/ in the source tree.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
folder=$(realpath -m "${1:-$root/build-windows}")
source "$root/scripts/packages.sh"
install_packages cmake ninja-build "${windows_tool_packages[@]}"

if [ ! -f "$folder/build.ninja" ]; then
  cmake -S "$root/tools/rmevents" -B "$folder" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
fi
cmake --build "$folder" -j 2
echo "Built $folder/rmevents.exe"
