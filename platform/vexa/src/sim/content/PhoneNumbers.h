#pragma once

#include <string_view>

namespace vexa::sim {

// Whether two phone numbers as people write them reach the same phone, the way a phone matches a
// caller to its address book: spaces, dashes, dots and brackets do not count; "+49", "0049" and a
// national "0" before the same subscriber digits match; a number without its country or area code
// matches the full one when at least seven trailing digits agree. Short numbers (service codes) match
// only digit for digit.
bool PhoneNumbersMatch(std::string_view first, std::string_view second);

} // namespace vexa::sim
