#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <plist/plist.h>

namespace vexa::formats {

struct PlistDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// Small helpers over libplist that never throw and treat a missing or mistyped node as empty.
class Plist {
public:
    // Binary or XML; null for anything else, and for a binary plist holding a NUL in a key or string.
    static PlistPtr Parse(const std::vector<uint8_t>& data);
    static PlistPtr ParseFile(const std::string& path, uint64_t maxBytes = 16u << 20);
    static std::vector<uint8_t> ToBinary(plist_t node);
    static std::vector<uint8_t> ToXml(plist_t node);
    // Writes through a temporary file and a rename, so a reader never sees half a plist.
    static bool WriteXmlFile(plist_t node, const std::string& path);

    static std::string String(plist_t dict, const char* key);
    // The text of a string node; empty for any other node.
    static std::string StringValue(plist_t node);
    static plist_t Item(plist_t dict, const char* key, plist_type type);
    static bool Bool(plist_t dict, const char* key);
    static uint64_t Unsigned(plist_t dict, const char* key);
    static std::vector<uint8_t> Data(plist_t dict, const char* key);
    static void SetString(plist_t dict, const char* key, const std::string& value);

    static plist_t NewDate(int64_t unixTime);
    static int64_t UnixTime(plist_t date);
    // "YYYY-MM-DDTHH:MM:SSZ" in UTC; false when the text is not such a time.
    static bool ParseIsoTime(const std::string& text, int64_t& unixTime);
    static std::string IsoTime(int64_t unixTime);
};

} // namespace vexa::formats
