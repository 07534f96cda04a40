#!/usr/bin/env bash
# Runs every *_screens program in <build>/bin (built from tools/screens); each writes PNGs of its windows
# in English, German and Chinese into the screens folder (SCREENS_DIR, default <build>/screens). Under
# Xvfb when there is no display, so the player and the drag images render as on a desktop. Each program
# gets a temporary folder of its own, removed afterwards with whatever it left in it.
# Exit status: 1 when a program failed or wrote no picture.
# Usage: scripts/make-screens.sh <build folder>
set -uo pipefail

build=${1:?usage: make-screens.sh <build folder>}
programs=$build/bin
output=$(realpath -m "${SCREENS_DIR:-$build/screens}")
mkdir -p "$output"

run=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  run=(xvfb-run -a -s "-screen 0 1600x1000x24")
  export QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi
export MEDIACORE_NULL_OUTPUT=1

failed=0
for program in "$programs"/*_screens; do
  [ -x "$program" ] || continue
  name=$(basename "$program")
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/vexa-screens.XXXXXX")
  touch "$scratch.stamp"
  TMPDIR=$scratch timeout -k 10 600 "${run[@]}" "$program" "$output" </dev/null >"$scratch.log" 2>&1
  status=$?
  chmod -R u+w "$scratch" 2>/dev/null
  rm -rf "$scratch"
  written=$(find "$output" -name '*.png' -newer "$scratch.stamp" | wc -l)
  if [ "$status" -ne 0 ] || [ "$written" -eq 0 ]; then
    echo "$name: FAILED (exit $status, $written pictures); its output:" >&2
    cat "$scratch.log" >&2
    failed=1
  else
    echo "$name: $written pictures"
  fi
  rm -f "$scratch.log" "$scratch.stamp"
done
echo "pictures in $output"
exit "$failed"
