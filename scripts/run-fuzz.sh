#!/usr/bin/env bash
# Runs every libFuzzer program in <fuzz build>/fuzz for FUZZ_SECONDS each (FUZZ_JOBS at a time) and ends
# with a table of executions per second. New inputs go to <fuzz build>/corpus/<target>, findings to
# <fuzz build>/findings/<target>; the seeds in tests/fuzz/corpus are only read.
# Usage: scripts/run-fuzz.sh <fuzz build folder> [target...]
set -uo pipefail

build=${1:?usage: run-fuzz.sh <fuzz build folder> [target...]}
shift
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-1}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
seeds=$source_dir/tests/fuzz/corpus

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/fuzz/fuzz_*; do
    [ -x "$program" ] && targets+=("$(basename "$program" | sed 's/^fuzz_//')")
  done
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz programs in $build/fuzz" >&2; exit 2; }

run_one() {
  local target=$1
  local corpus=$build/corpus/$target findings=$build/findings/$target log=$build/logs/$target.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  local started=$SECONDS
  # Leak checks stay on; a single input over 10 s counts as a hang.
  "$build/fuzz/fuzz_$target" "$corpus" "$seeds/$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1
  local status=$?
  echo "$status $((SECONDS - started))" >"$log.status"
}
export -f run_one
export build seconds seeds

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'

failed=0
printf '\n%-24s %12s %10s %8s %8s  %s\n' target executions exec/s seconds corpus result
for target in "${targets[@]}"; do
  log=$build/logs/$target.log
  read -r status took <"$log.status"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  units=$(find "$build/corpus/$target" -type f | wc -l)
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FINDING (see $log, $build/findings/$target)"
    failed=1
  fi
  printf '%-24s %12s %10s %8s %8s  %s\n' "$target" "${runs:-?}" "${rate:-?}" "$took" "$units" "$result"
done
exit $failed
