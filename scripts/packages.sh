#!/usr/bin/env bash
# The Debian packages Clipvane needs, and install_packages NAME... that installs those among
# NAME... that are missing, through apt-get, with sudo when not root. Sourced by the other scripts.

# Building and running the program (run.sh).
program_packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation fonts-wqy-microhei)
# The cross compiler for the Windows merge tool (scripts/build-windows-tool.sh).
windows_tool_packages=(g++-mingw-w64-x86-64-posix)
# The tests besides: their build makes the Windows merge tool too, and the suite runs it under wine;
# GNU parallel spreads clipvane-batch over tasks as the README shows.
test_packages=(ffmpeg mediainfo hachoir xvfb xauth x11-utils libxcb1-dev dpkg-dev file desktop-file-utils appstream
  lintian "${windows_tool_packages[@]}" wine wine64 parallel)
packages=("${program_packages[@]}" "${test_packages[@]}")
# Fuzzing the merge tool takes clang and its libFuzzer as well (scripts/fuzz.sh).
fuzz_packages=(clang libfuzzer-14-dev)

install_packages() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}
