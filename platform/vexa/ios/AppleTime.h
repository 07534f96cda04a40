#pragma once

#include <cstdint>

namespace vexa::ios {

// iOS keeps times as seconds (Core Data, address book) or, in newer message databases, nanoseconds since
// 2001-01-01 00:00:00 UTC. These turn them into Unix seconds and back.
constexpr int64_t kAppleEpochOffset = 978307200; // 2001-01-01 in Unix seconds

constexpr int64_t UnixFromAppleSeconds(double seconds) {
    return int64_t(seconds) + kAppleEpochOffset;
}
constexpr double AppleSecondsFromUnix(int64_t unix) {
    return double(unix - kAppleEpochOffset);
}

// Message dates: iOS 11 and later store nanoseconds, older databases seconds. A value past 1e11 cannot
// be seconds (that would be the year 5170), so the size tells which.
constexpr int64_t UnixFromMessageDate(int64_t date) {
    return (date > 100000000000LL || date < -100000000000LL ? date / 1000000000LL : date) + kAppleEpochOffset;
}
constexpr int64_t MessageDateFromUnix(int64_t unix) {
    return (unix - kAppleEpochOffset) * 1000000000LL;
}

} // namespace vexa::ios
