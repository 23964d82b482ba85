#!/usr/bin/env bash
# Builds Clipvane and its tests (installing what is missing) and runs the whole test suite headless.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/scripts/prepare.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 "$@"
