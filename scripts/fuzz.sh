#!/usr/bin/env bash
# Fuzzes the merge tool: builds its libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each for SECONDS (60 unless given), starting
# from the seed corpus that the ordinary build writes. What a target finds to fail on lands in
# build-fuzz/crashes/TARGET/; the corpus it grows stays in build-fuzz/corpus/TARGET/ for the next run.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/prepare.sh"
install_packages "${fuzz_packages[@]}"

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_clip_merge fuzz_clip_listing fuzz_event_script fuzz_map_script)

fuzz_build="$root/build-fuzz"
if [ ! -f "$fuzz_build/build.ninja" ]; then
  cmake -S "$root" -B "$fuzz_build" -G Ninja -DCLIPVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
fi
cmake --build "$fuzz_build" -j 2 --target "${targets[@]}"

seed_folder() {
  case "$1" in
    fuzz_clip_merge|fuzz_clip_listing) echo "$root/build/fuzz-seeds/clips" ;;
    fuzz_event_script) echo "$root/build/fuzz-seeds/events" ;;
    fuzz_map_script) echo "$root/build/fuzz-seeds/maps" ;;
  esac
}

summary=()
status=0
for target in "${targets[@]}"; do
  corpus="$fuzz_build/corpus/$target"
  crashes="$fuzz_build/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  echo "== $target for $seconds s"
  log="$fuzz_build/$target.log"
  inputs=("$corpus" "$(seed_folder "$target")")
  [ ! -d "$root/fuzz/regressions/$target" ] || inputs+=("$root/fuzz/regressions/$target")
  if "$fuzz_build/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$crashes/" \
       "${inputs[@]}" >"$log" 2>&1; then
    result=clean
  else
    result="FAILED, see $log and $crashes"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  time=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log")
  summary+=("$target: ${runs:-?} executions in ${time:-?} s, $result")
done
printf '%s\n' "${summary[@]}"
exit $status
