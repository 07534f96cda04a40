#include "PhoneNumbers.h"

#include <string>

namespace vexa::sim {

namespace {

// Fewer trailing digits than this say too little about who is calling.
constexpr size_t kTrailingDigits = 7;

struct Dialled {
    std::string digits;
    bool international = false;
};

Dialled Normalise(std::string_view text) {
    Dialled number;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            number.digits += c;
        else if (c == '+' && number.digits.empty())
            number.international = true;
    }
    if (!number.international && number.digits.rfind("00", 0) == 0) {
        number.international = true;
        number.digits.erase(0, 2);
    }
    return number;
}

// What is left before the shared trailing digits: nothing, or a national trunk "0", says the number
// only left out what the other one spells.
bool OnlyLeavesOutPrefix(const Dialled& number, size_t shared) {
    const std::string_view rest = std::string_view(number.digits).substr(0, number.digits.size() - shared);
    return rest.empty() || (!number.international && rest == "0");
}

} // namespace

bool PhoneNumbersMatch(std::string_view first, std::string_view second) {
    const Dialled a = Normalise(first);
    const Dialled b = Normalise(second);
    if (a.digits.empty() || b.digits.empty())
        return false;
    if (a.digits == b.digits)
        return true;
    size_t shared = 0;
    while (shared < a.digits.size() && shared < b.digits.size() &&
           a.digits[a.digits.size() - 1 - shared] == b.digits[b.digits.size() - 1 - shared])
        ++shared;
    if (shared < kTrailingDigits)
        return false;
    return OnlyLeavesOutPrefix(a, shared) || OnlyLeavesOutPrefix(b, shared);
}

} // namespace vexa::sim
