#!/usr/bin/env bash
# Lines of code and of tests: non-blank lines of the C++ and CMake files git knows, without lines that
# hold only a // comment and without preprocessor lines other than #include, #define and #if/#ifdef/
# #else/#endif (the same count as the project's pre-stop check). Code is src/, platform/, tools/ and
# assets/generator/; tests are tests/; bench/ counts as neither. The rule: tests at most 35 % of code.
# Usage: scripts/code-stats.sh [--check]   (--check: exit 1 above the limit)
set -euo pipefail
cd "$(dirname "$0")/.."

limit=35

count() {
  git ls-files -- "$@" | grep -E '\.(cpp|h|hpp|c|cc)$|CMakeLists\.txt$' | xargs -r cat 2>/dev/null |
    sed -e 's#^[[:space:]]*//.*##' | grep -cvE '^[[:space:]]*(#[^ide]|$)' || true
}

code=$(count src platform tools assets/generator)
tests=$(count tests)
percent=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", c ? 100 * t / c : 0 }')
printf 'code  %6d lines (src/ platform/ tools/ assets/generator/)\n' "$code"
printf 'tests %6d lines (tests/)\n' "$tests"
printf 'tests/code %s %% (limit %d %%)\n' "$percent" "$limit"
if [ "${1:-}" = "--check" ] && awk -v p="$percent" -v l="$limit" 'BEGIN { exit !(p > l) }'; then
  echo "tests exceed $limit % of the code: fold related cases into data-driven tables" >&2
  exit 1
fi
