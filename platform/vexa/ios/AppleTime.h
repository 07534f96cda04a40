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

// Days between 1970-01-01 and a date of the proleptic Gregorian calendar, and back (the civil-calendar
// algorithms of H. Hinnant); months and days count from 1.
constexpr int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = yearOfEra + era * 400 + (month <= 2);
}

} // namespace vexa::ios
