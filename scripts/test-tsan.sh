#!/usr/bin/env bash
# The suite under ThreadSanitizer (run by `make test-tsan` in the TSan build folder, with TSAN_OPTIONS set).
# GCC 12's TSan runtime now and then trips over its own lock check while it writes a race report
# ("ThreadSanitizer: CHECK failed: sanitizer_mutex.h ... kWriterLock", from AddLocation): the runtime
# fails, not the program under test. A program that failed only that way is run once more; any other
# failure, or the same one twice, fails the suite.
set -uo pipefail
cd "${1:?the TSan build folder}"
shift
ctest --output-on-failure "$@" && exit 0

log=Testing/Temporary/LastTest.log
again=()
while IFS=: read -r _ name; do
    # The test's own part of the log: from its "Testing:" line to the next test's.
    part=$(awk -v name="$name" '/^[0-9]+\/[0-9]+ Testing: / { inside = ($3 == name) } inside' "$log")
    if grep -q "ThreadSanitizer: CHECK failed" <<<"$part" && ! grep -q "WARNING: ThreadSanitizer" <<<"$part"; then
        again+=("$name")
    else
        echo "$name failed under ThreadSanitizer" >&2
        exit 1
    fi
done < Testing/Temporary/LastTestsFailed.log
[ ${#again[@]} -gt 0 ] || exit 1
echo "The TSan runtime failed its own check in: ${again[*]}; running them once more" >&2
pattern="^($(IFS='|'; echo "${again[*]}"))\$"
ctest --output-on-failure -R "$pattern"
