#pragma once

#include <cstdio>

// One figure in the line format that scripts/run-bench.sh gathers into the table of every benchmark:
//   BENCH <name> <value> <unit> <limit>
// The name has no spaces; the limit is "-" for a figure kept only to watch. Lower is better for every
// figure, so a value above its limit is "over". The human-readable lines around it stay as they are.
// `decimals` is for a figure whose limit lies close to one decimal place, such as a ratio of 1.5.
inline bool BenchFigure(const char* name, double value, const char* unit, double limit, int decimals = 1) {
    std::printf("BENCH %s %.*f %s %.*f\n", name, decimals, value, unit, decimals, limit);
    std::fflush(stdout);
    return value <= limit;
}

inline void BenchWatch(const char* name, double value, const char* unit) {
    std::printf("BENCH %s %.1f %s -\n", name, value, unit);
    std::fflush(stdout);
}

// A time beside its limit in the human-readable line, then as a figure.
inline bool BenchReportMs(const char* name, const char* what, double ms, double limitMs) {
    std::printf("%-44s %9.1f ms  (limit %6.0f ms)  %s\n", what, ms, limitMs, ms <= limitMs ? "ok" : "OVER");
    return BenchFigure(name, ms, "ms", limitMs);
}
