#!/usr/bin/env bash
# Runs every benchmark program the build lists in <build>/bench/benchmarks.txt, collects the lines
#   BENCH <name> <value> <unit> <limit>
# they print, and ends with one table of every figure against its limit. The table and the machine it ran
# on go to bench/RESULTS.md.
# Exit status: 1 when a program crashed or failed (non-zero exit); figures over their limit are marked
# "OVER" but fail the run only with BENCH_STRICT=1, since timings on a shared machine vary. A program
# running longer than BENCH_TIMEOUT seconds (default 900) is stopped and counts as failed.
# Usage: scripts/run-bench.sh <build folder>
set -uo pipefail

build=${1:?usage: run-bench.sh <build folder>}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
list=$build/bench/benchmarks.txt
[ -f "$list" ] || { echo "no $list: configure and build first" >&2; exit 2; }
logs=$build/bench/logs
mkdir -p "$logs"

failed=0
over=0
figures=()
statuses=()
while read -r program; do
  [ -n "$program" ] || continue
  echo "== $program"
  log=$logs/$program.log
  if [ ! -x "$build/bench/$program" ]; then
    statuses+=("$program|not built")
    failed=1
    continue
  fi
  started=$SECONDS
  # Each program gets a temporary folder of its own, removed afterwards with whatever it left there,
  # read-only files included.
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/vexa-bench.XXXXXX")
  # A program that waits forever (a modal dialog nobody closes) must not hold up the run.
  TMPDIR=$scratch QT_QPA_PLATFORM=offscreen timeout -k 10 "${BENCH_TIMEOUT:-900}" "$build/bench/$program" \
    >"$log" 2>&1 </dev/null
  status=$?
  chmod -R u+w "$scratch" 2>/dev/null
  rm -rf "$scratch"
  grep -v '^BENCH ' "$log"
  took=$((SECONDS - started))
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    statuses+=("$program|TIMED OUT after ${took} s")
    failed=1
  elif [ "$status" -ge 128 ]; then
    statuses+=("$program|CRASHED (signal $((status - 128))) after ${took} s")
    failed=1
  elif [ "$status" -ne 0 ]; then
    statuses+=("$program|FAILED (exit $status) after ${took} s")
    failed=1
  else
    statuses+=("$program|ok, ${took} s")
  fi
  while read -r _ name value unit limit; do
    figures+=("$name|$value|$unit|$limit")
  done < <(grep '^BENCH ' "$log")
done <"$list"

verdict() { # value limit
  [ "$2" = "-" ] && { echo "-"; return; }
  awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "ok" : "OVER" }'
}

table=$(
  printf '| %-36s | %12s | %-4s | %12s | %-4s |\n' figure value unit limit ok
  printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..38})" "$(printf -- '-%.0s' {1..14})" "------" \
    "$(printf -- '-%.0s' {1..14})" "------"
  for figure in "${figures[@]}"; do
    IFS='|' read -r name value unit limit <<<"$figure"
    printf '| %-36s | %12s | %-4s | %12s | %-4s |\n' "$name" "$value" "$unit" "$limit" "$(verdict "$value" "$limit")"
  done
)
over=$(grep -c '| OVER |' <<<"$table")

{
  echo "# Benchmark results"
  echo
  echo "Written by \`make bench\` (scripts/run-bench.sh); lower is better for every figure, \"-\" marks a"
  echo "figure without a limit that is kept to watch."
  echo
  echo "- date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- commit: $(git -C "$source_dir" rev-parse --short HEAD 2>/dev/null || echo unknown)"
  echo "- cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), nproc $(nproc)"
  echo "- memory: $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
  echo "- load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo
  echo "$table"
  echo
  echo "Programs:"
  echo
  for entry in "${statuses[@]}"; do
    echo "- ${entry%%|*}: ${entry#*|}"
  done
} >"$source_dir/bench/RESULTS.md"

echo
echo "$table"
echo
for entry in "${statuses[@]}"; do
  echo "${entry%%|*}: ${entry#*|}"
done
echo "$over figure(s) over their limit; table written to bench/RESULTS.md"
[ "$failed" -ne 0 ] && exit 1
[ "${BENCH_STRICT:-0}" = 1 ] && [ "$over" -gt 0 ] && exit 1
exit 0
