#!/usr/bin/env bash
# Does the suite notice a broken program? Applies each fault (a patch against the work tree) in turn,
# rebuilds, runs the tests named for it and undoes it, then prints a Markdown table of what caught what.
# A patch names its tests in its first line: "# tests: tst_a tst_b"; --all runs the whole suite instead.
# A fault that does not build counts as not applicable. The tree is restored on every exit, Ctrl+C too.
# --known FILE lists test functions ("Class::function", one a line) that already fail without any fault;
# their failures do not count as catching one.
# Usage: scripts/mutation-check.sh [--all] [--known FILE] BUILD_DIR PATCH...
set -uo pipefail

all=0
known=/dev/null
while [ $# -gt 0 ]; do
  case "$1" in
  --all) all=1 ;;
  --known) known=$(realpath "$2") && shift ;;
  *) break ;;
  esac
  shift
done
if [ $# -lt 2 ]; then
  echo "usage: $0 [--all] [--known FILE] BUILD_DIR PATCH..." >&2
  exit 2
fi
build=$(realpath "$1")
shift
cd "$(dirname "$0")/.."
log_dir=$(mktemp -d "${TMPDIR:-/tmp}/mutation-check.XXXXXX")

applied=""
undo() {
  if [ -n "$applied" ]; then
    git apply -R "$applied" || echo "could not undo $applied: restore the tree by hand" >&2
    applied=""
  fi
}
trap undo EXIT
trap 'undo; exit 130' INT TERM

# The first changed line of the patch, as file:line in the unchanged tree.
location() {
  awk '/^\+\+\+ / { file = substr($2, 3) }
       /^@@ / { split($2, start, ","); line = -start[1]; next }
       file && /^ / { ++line }
       file && /^[-+]/ && !/^(\+\+\+|---) / { print file ":" line; exit }' "$1"
}

# The program each test runs (a test can be one part of a program that is split into several tests).
programs_of() {
  ctest --test-dir "$build" --show-only=json-v1 |
    /usr/bin/python3 -c 'import json, os, sys
wanted = set(sys.argv[1:])
tests = json.load(sys.stdin)["tests"]
print(" ".join(sorted({os.path.basename(t["command"][0]) for t in tests if t["name"] in wanted})))' "$@"
}

# Test programs keep their scratch folders in test-home; a run that crashed leaves its own behind.
fresh_homes() {
  for test in "$@"; do
    rm -rf "${build:?}/test-home/$test"
    mkdir -p "$build/test-home/$test/tmp"
  done
}

# What caught the fault: the failed test functions, or the program when it crashed or hung before
# naming one.
caught_by() {
  local program output functions
  for program in $(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*)$/\1/p' "$1"); do
    # A test's output follows the line that reports its end, up to the next test's lines.
    output=$(awk -v name="$program" '/^ *Start +[0-9]+: |^ *[0-9]+\/[0-9]+ Test +#/ { on = $0 ~ ": " name " " }
                                      on' "$1")
    functions=$(sed -n 's/^FAIL!  : \([^ (]*\).*/\1/p' <<<"$output" | sort -u | grep -vxF -f "$known")
    if [ -n "$functions" ]; then
      echo "$functions"
    elif ! grep -q '^FAIL!' <<<"$output"; then
      echo "$program (crashed or hung)"
    fi
  done | paste -sd ' '
}

rows=()
for patch in "$@"; do
  patch=$(realpath "$patch")
  name=$(basename "$patch" .patch)
  where=$(location "$patch")
  read -r -a tests <<<"$(sed -n '1s/^# tests://p' "$patch")"
  log="$log_dir/$name.log"
  echo "== $name ($where)" >&2
  if ! git apply "$patch"; then
    rows+=("| $name | $where | does not apply | |")
    continue
  fi
  applied=$patch
  if [ $all = 1 ]; then
    built=$(cmake --build "$build" -j2 >"$log" 2>&1 && echo yes)
    filter=(-LE soak)
  else
    built=$(cmake --build "$build" -j2 --target $(programs_of "${tests[@]}") >"$log" 2>&1 && echo yes)
    filter=(-R "^($(IFS='|'; echo "${tests[*]}"))\$")
  fi
  if [ "$built" != yes ]; then
    rows+=("| $name | $where | n/a (does not build) | |")
  else
    [ $all = 1 ] || fresh_homes "${tests[@]}"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" "${filter[@]}" -j2 --output-on-failure \
      >>"$log" 2>&1
    failed=$(caught_by "$log")
    if [ -n "$failed" ]; then
      rows+=("| $name | $where | yes | $failed |")
    else
      rows+=("| $name | $where | **no** | |")
    fi
  fi
  undo
done

echo "| Fault | Where | Caught | By |"
echo "|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo "Logs: $log_dir" >&2
