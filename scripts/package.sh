#!/usr/bin/env bash
# Builds the Debian package build-package/clipvane_<version>_<arch>.deb: a release build with
# Debian's hardening flags, packed by CPack with its dependencies computed from the binaries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
# What the programs need, and what CPack computes the dependencies with.
install_packages "${program_packages[@]}" dpkg-dev file

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$root/build-package" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCLIPVANE_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$root/build-package" -j 2 --target clipvane_programs
cpack --config "$root/build-package/CPackConfig.cmake" -B "$root/build-package"
ls "$root"/build-package/clipvane_*.deb
