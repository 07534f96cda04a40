#pragma once

#include <string>
#include <string_view>

namespace xlsFile {

// Decodes UTF-8; every malformed sequence becomes U+FFFD, so the result is always well-formed UTF-16.
std::u16string utf8ToUtf16(std::string_view text);

inline bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Cuts at most maxUnits code units without separating a surrogate pair.
std::u16string_view truncateUtf16(std::u16string_view text, std::size_t maxUnits);

} // namespace xlsFile
