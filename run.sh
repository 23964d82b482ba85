#!/usr/bin/env bash
# Builds Clipvane's programs (installing only what they need) and starts it. A new build/ is
# configured without the tests; one that test.sh configured keeps them and is left as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/scripts/packages.sh"
install_packages "${program_packages[@]}"
if [ ! -f "$root/build/build.ninja" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja -DCLIPVANE_TESTS=OFF
fi
cmake --build "$root/build" -j 2 --target clipvane_programs
exec "$root/build/clipvane" "$@"
