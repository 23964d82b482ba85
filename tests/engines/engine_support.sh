# Shared by the engine tests: skipping, failing, the README's recipes, daemons stopped on any exit,
# bounded waits and the clips' checksums. Sourced; expects these variables from the test's
# registration: CLIPVANE_BATCH, RMEVENTS, WRITE_BATCH, README.
set -uo pipefail

skip_status=77

skip() {
  echo "SKIP: $*"
  exit "$skip_status"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# require_root WHAT: skips unless root, saying that WHAT needs root.
require_root() {
  [ "$(id -u)" -eq 0 ] || skip "$1 needs root (CI runs as root); this runs as $(id -un)."
}

# require_programs PACKAGE PROGRAM...: skips naming the Debian package when a program is missing.
require_programs() {
  local package=$1 program
  shift
  for program in "$@"; do
    command -v "$program" >/dev/null || [ -x "$program" ] ||
      skip "$program is missing (Debian: $package; scripts/packages.sh lists it)."
  done
}

# The test's own folder, removed on exit after every daemon it started has been stopped.
work=$(mktemp -d)
daemon_pids=()
# Functions that undo the test's changes to the machine, run on exit.
exit_actions=()

stop_daemons_and_clean_up() {
  local status=$? pid action
  for action in "${exit_actions[@]}"; do
    "$action"
  done
  for pid in "${daemon_pids[@]}"; do
    kill -TERM "$pid" 2>/dev/null
  done
  for pid in "${daemon_pids[@]}"; do
    wait_until 10 process_has_ended "$pid" || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
  exit "$status"
}
trap stop_daemons_and_clean_up EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# start_daemon NAME COMMAND...: runs a daemon in the foreground of a background job of this shell,
# its output in $work/NAME.out, so that it can be stopped by its own pid.
start_daemon() {
  local name=$1
  shift
  "$@" >"$work/$name.out" 2>&1 &
  daemon_pids+=($!)
}

process_has_ended() {
  ! kill -0 "$1" 2>/dev/null
}

# wait_until SECONDS COMMAND...: true as soon as COMMAND succeeds, false once SECONDS have passed.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# A port of 127.0.0.1 that nothing listens on now.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || break
  done
  echo "$port"
}

listens() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# readme_block LEAD: the text of the fenced code block that follows the first line of README.md
# starting with LEAD.
readme_block() {
  local block
  block=$(awk -v lead="$1" '
    !found && index($0, lead) == 1 { found = 1; next }
    found && !inside && /^```/ { inside = 1; next }
    inside && /^```/ { exit }
    inside { print }' "$README")
  [ -n "$block" ] || fail "README.md has no code block after a line starting \"$1\"."
  printf '%s\n' "$block"
}

# recipe_with RECIPE NAME=VALUE...: the recipe with the line assigning each NAME replaced by the
# test's VALUE (shell text); a NAME the recipe does not assign is a failure, so the recipe and the
# test cannot drift apart.
recipe_with() {
  local recipe=$1 assignment name
  shift
  for assignment in "$@"; do
    name=${assignment%%=*}
    grep -q "^$name=" <<<"$recipe" || fail "the README's recipe no longer sets $name."
    recipe=$(awk -v name="$name" -v line="$assignment" \
      'index($0, name "=") == 1 { print line; next } { print }' <<<"$recipe")
  done
  printf '%s\n' "$recipe"
}

# A bin folder holding clipvane-batch and the merge tool beside it, as an installed copy has them.
install_command() {
  mkdir -p "$1"
  cp "$CLIPVANE_BATCH" "$1/clipvane-batch"
  cp "$RMEVENTS" "$1/rmevents"
}

# Every regular file below a folder, by its path below it, with its checksum; sorted.
files_below() {
  (cd "$1" && find . -type f -printf '%P\0' | sort -z | xargs -0 -r sha256sum)
}

# expect_same_files WHAT EXPECTED_FOLDER ACTUAL_FOLDER
expect_same_files() {
  local expected actual
  expected=$(files_below "$2")
  actual=$(files_below "$3")
  [ -n "$expected" ] || fail "$1: the reference run merged nothing."
  [ "$expected" = "$actual" ] ||
    fail "$1 differ from one run of clipvane-batch:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
}
