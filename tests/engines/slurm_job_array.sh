# The README's Slurm job array, run on a single-node cluster of the test's own (munged, slurmctld and
# slurmd on 127.0.0.1, private ports, no accounting): its clips equal one run of clipvane-batch, and
# a bad clip makes sbatch --wait fail with its task's exit code 1.
source "$(dirname "${BASH_SOURCE[0]}")/engine_support.sh"

require_root "A Slurm cluster of the test's own (munged, slurmctld, slurmd)"
require_programs slurm-wlm slurmctld slurmd sbatch scontrol sinfo
require_programs munge munged mungekey

host=$(hostname -s)

# The daemons find each other by the host's short name.
hosts_copy=$work/hosts
restore_hosts() {
  cat "$hosts_copy" >/etc/hosts
}
if ! getent hosts "$host" >/dev/null; then
  cp /etc/hosts "$hosts_copy"
  exit_actions+=(restore_hosts)
  echo "127.0.0.1 $host" >>/etc/hosts
fi

# Clients run as any user reach munged's socket, so every folder above it must be searchable.
chmod 755 "$work"
mkdir -m 755 "$work/munge"
munge_socket=$work/munge/munge.socket
mungekey --create --keyfile="$work/munge/munge.key" || fail "mungekey could not create a key."
start_daemon munged munged --foreground --force --socket="$munge_socket" --key-file="$work/munge/munge.key" \
  --log-file="$work/munge/munged.log" --pid-file="$work/munge/munged.pid" --seed-file="$work/munge/munged.seed"
wait_until 10 test -S "$munge_socket" || fail "munged did not start: $(cat "$work/munged.out" "$work/munge/munged.log")"

ctld_port=$(free_port)
node_port=$(free_port)
while [ "$node_port" = "$ctld_port" ]; do node_port=$(free_port); done
mkdir "$work/ctld" "$work/spool"
# Two CPUs whatever the machine has, as the recipe asks two for a task; memory is not counted.
export SLURM_CONF=$work/slurm.conf
cat >"$SLURM_CONF" <<EOF
ClusterName=clipvane
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$node_port
SlurmdParameters=config_overrides
CommunicationParameters=NoCtldInAddrAny,NoInAddrAny
AuthType=auth/munge
AuthInfo=socket=$munge_socket
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$work/ctld
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MpiDefault=none
NodeName=$host NodeAddr=127.0.0.1 CPUs=2 RealMemory=$(($(slurmd -C | sed -n 's/.*RealMemory=\([0-9]*\).*/\1/p') / 2)) State=UNKNOWN
PartitionName=clips Nodes=$host Default=YES MaxTime=INFINITE State=UP
EOF
start_daemon slurmctld slurmctld -D -i -f "$SLURM_CONF"
start_daemon slurmd slurmd -D -f "$SLURM_CONF"
node_is_idle() {
  [ "$(sinfo -h -N -o %T 2>/dev/null)" = idle ]
}
wait_until 20 node_is_idle ||
  fail "the node did not come up: $(sinfo -N 2>&1; tail -n 20 "$work/slurmctld.log" "$work/slurmd.log" "$work"/*.out)"

# The nodes run the command from the submitting shell's PATH, as sbatch passes it on.
install_command "$work/bin"
export PATH=$work/bin:$PATH

recipe_folder=$work/recipe
mkdir "$recipe_folder"
readme_block "With a Slurm job array" >"$recipe_folder/merge-folder.sh" || exit 1
submit=$(readme_block "Submit it from a node that sees the same paths") || exit 1

"$WRITE_BATCH" profile "$work/weekly.json" || fail "write_batch could not write the profile."
for week in week1 week2 week3; do
  "$WRITE_BATCH" clips "$work/clips/$week" 3 || fail "write_batch could not write the clips."
done
clipvane-batch -q -j 2 --keep-tree --profile "$work/weekly.json" -o "$work/single" "$work/clips" ||
  fail "one run of clipvane-batch over the folders failed."

# Handed to the recipe's shell: the real sbatch, whose exit status and output the recipe's last
# command would hide, kept in $work/sbatch.status and $work/sbatch.out.
sbatch() {
  command sbatch "$@" | tee "$work/sbatch.out"
  echo "${PIPESTATUS[0]}" >"$work/sbatch.status"
  return "$(cat "$work/sbatch.status")"
}

# run_recipe OUTPUT_FOLDER: the README's submission with the test's paths, in the job script's
# folder; its exit status is the recipe's.
run_recipe() {
  local recipe
  recipe=$(recipe_with "$submit" "profile=$(printf %q "$work/weekly.json")" "clips=$(printf %q "$work/clips")" \
    "merged=$(printf %q "$1")") || exit 1
  rm -f "$work/sbatch.out" "$work/sbatch.status"
  (cd "$recipe_folder" && export work && timeout 45 bash -c "$(declare -f sbatch)"$'\n'"$recipe")
}

# task_exit_codes JOB: "TASK EXIT_CODE" per task of the array, from slurmctld's records (there is
# no sacct without accounting).
task_exit_codes() {
  scontrol -o show job "$1" | sed -n 's/.*ArrayTaskId=\([0-9]*\) .*ExitCode=\([0-9:]*\).*/\1 \2/p' | sort -n
}

# check_recipe SBATCH CHECK TASKS WHAT: runs the recipe into a new output folder, expecting sbatch
# --wait to end in SBATCH (success or failure), the check after it to exit CHECK and the tasks'
# exit codes TASKS ("TASK CODE" lines); the good clips are merged as one run merges them.
runs=0
check_recipe() {
  local merged=$work/merged$((++runs)) status sbatch_status job codes
  run_recipe "$merged"
  status=$?
  sbatch_status=$(cat "$work/sbatch.status" 2>/dev/null) || fail "$4: the recipe did not run sbatch."
  case $1 in
  success) [ "$sbatch_status" -eq 0 ] || fail "$4: sbatch --wait exited $sbatch_status: $(cat "$work/sbatch.out")" ;;
  failure) [ "$sbatch_status" -ne 0 ] || fail "$4: sbatch --wait exited 0 although a task failed." ;;
  esac
  [ "$status" -eq "$2" ] || fail "$4: the check after the array exited $status, not $2."
  job=$(sed -n 's/^Submitted batch job \([0-9]*\)$/\1/p' "$work/sbatch.out")
  [ -n "$job" ] || fail "$4: sbatch did not name its job: $(cat "$work/sbatch.out")"
  codes=$(task_exit_codes "$job")
  [ "$codes" = "$3" ] || fail "$4: the tasks' exit codes are"$'\n'"$codes"$'\n'"not"$'\n'"$3"
  expect_same_files "$4: the job array's clips" "$work/single" "$merged"
}

check_recipe success 0 $'0 0:0\n1 0:0\n2 0:0' "Good clips"
# A clip that is not RealMedia in the second folder fails the second task, and the check again.
echo "This is not a clip at all." >"$work/clips/week2/bad.rm"
check_recipe failure 1 $'0 0:0\n1 1:0\n2 0:0' "A bad clip in one folder"
echo "PASS: the job array merged what one run merges; a bad clip failed its task with 1."
