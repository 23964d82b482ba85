#!/usr/bin/env bash
# Builds the whole of Clipvane, program, merge tool and tests, with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ and runs the whole test suite there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
install_packages "${packages[@]}"
sanitized="$root/build-sanitize"
if [ ! -f "$sanitized/build.ninja" ]; then
  cmake -S "$root" -B "$sanitized" -G Ninja -DCLIPVANE_SANITIZE=ON
fi
cmake --build "$sanitized" -j 2
cd "$sanitized"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 "$@"
