# The README's GNU parallel recipe for machines without a shared folder, run over ssh to an sshd of
# the test's own on 127.0.0.1 (throwaway host and user keys; the machine's sshd is not touched): the
# clips that come back equal one run of clipvane-batch, the sources survive --cleanup, and a bad
# clip gives parallel's non-zero status.
source "$(dirname "${BASH_SOURCE[0]}")/engine_support.sh"

require_root "An sshd of the test's own that root logs in to"
require_programs openssh-server /usr/sbin/sshd ssh-keygen
require_programs openssh-client ssh
require_programs parallel parallel
require_programs rsync rsync

# sshd's privilege separation needs its folder; made only when missing, and then removed again.
remove_privilege_folder() {
  rmdir /run/sshd
}
if [ ! -d /run/sshd ]; then
  mkdir -m 755 /run/sshd
  exit_actions+=(remove_privilege_folder)
fi

install_command "$work/bin"
mkdir -m 700 "$work/ssh" "$work/home"
ssh-keygen -q -t ed25519 -N '' -f "$work/ssh/host_key" || fail "ssh-keygen could not make a host key."
ssh-keygen -q -t ed25519 -N '' -f "$work/ssh/user_key" || fail "ssh-keygen could not make a user key."
port=$(free_port)
# The nodes' sessions find clipvane-batch on their PATH. StrictModes is off for keys under a
# temporary folder; PAM lets root in with a locked password; each node's one connection carries
# all its tasks' sessions.
cat >"$work/ssh/sshd_config" <<EOF
ListenAddress 127.0.0.1:$port
HostKey $work/ssh/host_key
PidFile none
AuthorizedKeysFile $work/ssh/user_key.pub
AuthenticationMethods publickey
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM yes
SetEnv PATH=$work/bin:/usr/bin:/bin
MaxSessions 50
EOF
start_daemon sshd /usr/sbin/sshd -D -e -f "$work/ssh/sshd_config"
wait_until 10 listens "$port" || fail "sshd did not start: $(cat "$work/sshd.out")"

# node1 and node2 of the recipe are both this sshd; each keeps one connection open for its tasks,
# as a login costs most of a second here, and its master is ended by its pid on exit.
echo "[127.0.0.1]:$port $(cat "$work/ssh/host_key.pub")" >"$work/ssh/known_hosts"
cat >"$work/ssh/config" <<EOF
Host node1 node2
  HostName 127.0.0.1
  Port $port
  User root
  IdentityFile $work/ssh/user_key
  IdentitiesOnly yes
  UserKnownHostsFile $work/ssh/known_hosts
  StrictHostKeyChecking yes
  BatchMode yes
  ConnectTimeout 10
  ControlMaster auto
  ControlPath $work/ssh/%n.control
  ControlPersist 60
EOF
stop_ssh_masters() {
  local node pid
  for node in node1 node2; do
    pid=$(ssh -F "$work/ssh/config" -O check "$node" 2>&1 | sed -n 's/^Master running (pid=\([0-9]*\)).*/\1/p')
    [ -z "$pid" ] || kill -TERM "$pid"
  done
}
exit_actions+=(stop_ssh_masters)
export PARALLEL_SSH="ssh -F $work/ssh/config"
timeout 20 ssh -F "$work/ssh/config" node1 clipvane-batch --version >/dev/null 2>"$work/ssh.err" ||
  fail "could not run clipvane-batch over ssh: $(cat "$work/ssh.err" "$work/sshd.out")"

recipe=$(readme_block "Where the machines share no folder") || exit 1

"$WRITE_BATCH" clips "$work/clips" 4 || fail "write_batch could not write the clips."
"$WRITE_BATCH" profile "$work/clips/weekly.json" || fail "write_batch could not write the profile."
"$work/bin/clipvane-batch" -q --profile "$work/clips/weekly.json" -o "$work/single" "$work"/clips/*.rm ||
  fail "one run of clipvane-batch over the clips failed."

# run_recipe: parallel's exit status, over the clips in $work/clips, with a local home of the
# test's own for parallel's files.
run_recipe() {
  local recipe_here
  recipe_here=$(recipe_with "$recipe" "clips=$(printf %q "$work/clips")") || exit 1
  HOME=$work/home timeout 45 bash -c "$recipe_here"
}

# check_recipe STATUS WHAT: runs the recipe over the clips, which must survive it, expecting
# parallel's exit STATUS; every good clip must have come back merged as one run merges it, since
# parallel's status does not cover --return.
check_recipe() {
  local sources status
  rm -rf "$work/clips/merged"
  sources=$(files_below "$work/clips")
  run_recipe
  status=$?
  [ "$(files_below "$work/clips" | grep -v ' merged/')" = "$sources" ] ||
    fail "$2: the sources changed or went: --cleanup reached them."
  [ "$status" -eq "$1" ] || fail "$2: parallel exited $status, not $1."
  expect_same_files "$2: the clips that came back" "$work/single" "$work/clips/merged"
}

check_recipe 0 "Good clips"
echo "This is not a clip at all." >"$work/clips/bad.rm"
check_recipe 1 "One bad clip among good ones"
echo "PASS: the clips came back over ssh as one run merges them; a bad clip failed parallel."
