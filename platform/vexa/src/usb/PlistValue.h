#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <plist/plist.h>

namespace vexa::usb {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
// Owns one property-list node (and everything below it).
using PlistPtr = std::unique_ptr<void, PlistFree>;

// The node as the text the device record shows: strings as they are, booleans "true"/"false", numbers
// in decimal, arrays joined with ",", data in base 64. Null or a dictionary gives an empty optional text.
bool PlistToText(plist_t node, std::string& text);
std::string PlistString(plist_t dictionary, const char* key);
// The bytes of a data item; empty when the key is missing or holds something else.
std::string PlistData(plist_t dictionary, const char* key);
uint64_t PlistUnsigned(plist_t dictionary, const char* key, uint64_t fallback = 0);

} // namespace vexa::usb
