#!/usr/bin/env bash
# The Debian packages Clipvane needs, and install_packages NAME... that installs those among
# NAME... that are missing, through apt-get, with sudo when not root. Sourced by the other scripts.

# Building and running the program (run.sh).
program_packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation fonts-wqy-microhei)
# The cross compiler for the Windows merge tool (scripts/build-windows-tool.sh).
windows_tool_packages=(g++-mingw-w64-x86-64-posix)
# The tests besides: their build makes the Windows merge tool too, and the suite runs it under wine;
# GNU parallel spreads clipvane-batch over tasks as the README shows, on this machine and over ssh
# (an sshd of the test's own; rsync carries the clips), and a single-node Slurm cluster runs the
# README's job array.
test_packages=(ffmpeg mediainfo hachoir xvfb xauth x11-utils libxcb1-dev dpkg-dev file desktop-file-utils appstream
  lintian "${windows_tool_packages[@]}" wine wine64 parallel openssh-server rsync slurm-wlm munge)
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
    install_without_starting_daemons "${sudo_cmd[@]}" -- "${missing[@]}"
  fi
}

# The daemons the tests start on their own: installing them must neither start the machine's copy
# nor enable it at boot.
test_daemons=(ssh munge slurmctld slurmd)

daemon_is_installed() {
  [ -e "/lib/systemd/system/$1.service" ] || [ -e "/etc/init.d/$1" ]
}

# install_without_starting_daemons [SUDO...] -- PACKAGE...: apt-get install with a policy-rc.d that
# refuses every start (the one in place, if any, is put back after), then the test daemons this
# install brought are disabled at boot.
install_without_starting_daemons() {
  local sudo_cmd=() daemon new_daemons=()
  while [ "$1" != -- ]; do sudo_cmd+=("$1"); shift; done
  shift
  for daemon in "${test_daemons[@]}"; do
    daemon_is_installed "$daemon" || new_daemons+=("$daemon")
  done
  local policy=/usr/sbin/policy-rc.d kept_policy=/usr/sbin/policy-rc.d.clipvane-kept status=0
  (
    # Put back as it was however the install ends, interrupted too.
    restore_policy() {
      "${sudo_cmd[@]}" rm -f "$policy"
      [ ! -e "$kept_policy" ] || "${sudo_cmd[@]}" mv "$kept_policy" "$policy"
    }
    trap restore_policy EXIT
    [ ! -e "$policy" ] || "${sudo_cmd[@]}" mv "$policy" "$kept_policy"
    printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
    "${sudo_cmd[@]}" chmod 755 "$policy"
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$@"
  ) || status=$?
  for daemon in "${new_daemons[@]}"; do
    daemon_is_installed "$daemon" || continue
    if command -v deb-systemd-helper >/dev/null; then
      "${sudo_cmd[@]}" deb-systemd-helper disable "$daemon.service" >/dev/null 2>&1 || true
    fi
    if [ -e "/etc/init.d/$daemon" ] && command -v update-rc.d >/dev/null; then
      "${sudo_cmd[@]}" update-rc.d "$daemon" disable >/dev/null 2>&1 || true
    fi
  done
  return "$status"
}
