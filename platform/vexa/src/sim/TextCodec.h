#pragma once

#include <string>

namespace vexa::sim {

// UTF-16 text from the library's callers to UTF-8 and back. Unpaired surrogates and malformed bytes
// become U+FFFD rather than failing, as a device does with names it cannot show.
std::string ToUtf8(const char16_t* text);
std::string ToUtf8(const std::u16string& text);
std::u16string ToUtf16(const std::string& text);

} // namespace vexa::sim
