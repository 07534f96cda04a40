#include "Plist.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vexa::formats {

namespace {

std::vector<uint8_t> Take(char* buffer, uint32_t length, void (*release)(char*)) {
    std::vector<uint8_t> bytes;
    if (buffer)
        bytes.assign(buffer, buffer + length);
    if (buffer)
        release(buffer);
    return bytes;
}

// libplist asserts, and so ends the program, when a dictionary key it hands out holds a NUL byte, which a
// binary plist can carry. Its XML writer copies such a NUL as it is, so the XML form shows it without
// asking for any key.
bool HoldsNul(plist_t node) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    const bool found = xml && std::memchr(xml, '\0', length) != nullptr;
    plist_to_xml_free(xml);
    return found;
}

// Plist dates count from 2001-01-01.
constexpr int64_t kAppleEpoch = 978307200;

} // namespace

PlistPtr Plist::Parse(const std::vector<uint8_t>& data) {
    if (data.size() < 8 || data.size() > UINT32_MAX)
        return nullptr;
    plist_t node = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(data.data()), static_cast<uint32_t>(data.size()), &node);
    PlistPtr plist(node);
    if (plist && std::memcmp(data.data(), "bplist", 6) == 0 && HoldsNul(node))
        return nullptr;
    return plist;
}

PlistPtr Plist::ParseFile(const std::string& path, uint64_t maxBytes) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > maxBytes)
        return nullptr;
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(data);
}

std::vector<uint8_t> Plist::ToBinary(plist_t node) {
    char* buffer = nullptr;
    uint32_t length = 0;
    plist_to_bin(node, &buffer, &length);
    return Take(buffer, length, plist_to_bin_free);
}

std::vector<uint8_t> Plist::ToXml(plist_t node) {
    char* buffer = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &buffer, &length);
    return Take(buffer, length, plist_to_xml_free);
}

bool Plist::WriteXmlFile(plist_t node, const std::string& path) {
    const std::vector<uint8_t> xml = ToXml(node);
    if (xml.empty())
        return false;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(xml.data()), static_cast<std::streamsize>(xml.size()));
        out.close();
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

plist_t Plist::Item(plist_t dict, const char* key, plist_type type) {
    if (!dict || plist_get_node_type(dict) != PLIST_DICT)
        return nullptr;
    plist_t item = plist_dict_get_item(dict, key);
    return item && plist_get_node_type(item) == type ? item : nullptr;
}

std::string Plist::String(plist_t dict, const char* key) {
    return StringValue(Item(dict, key, PLIST_STRING));
}

std::string Plist::StringValue(plist_t node) {
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return {};
    // plist_get_string_val asserts that the string holds no NUL, which a binary plist can break; the
    // pointer call does not. The text ends at the first NUL, as every C reader of it would see it.
    uint64_t length = 0;
    const char* value = plist_get_string_ptr(node, &length);
    return value ? std::string(value, strnlen(value, length)) : std::string();
}

bool Plist::Bool(plist_t dict, const char* key) {
    plist_t item = Item(dict, key, PLIST_BOOLEAN);
    uint8_t value = 0;
    if (item)
        plist_get_bool_val(item, &value);
    return value != 0;
}

uint64_t Plist::Unsigned(plist_t dict, const char* key) {
    plist_t item = Item(dict, key, PLIST_UINT);
    uint64_t value = 0;
    if (item)
        plist_get_uint_val(item, &value);
    return value;
}

std::vector<uint8_t> Plist::Data(plist_t dict, const char* key) {
    plist_t item = Item(dict, key, PLIST_DATA);
    if (!item)
        return {};
    char* value = nullptr;
    uint64_t length = 0;
    plist_get_data_val(item, &value, &length);
    std::vector<uint8_t> bytes;
    if (value)
        bytes.assign(value, value + length);
    free(value);
    return bytes;
}

void Plist::SetString(plist_t dict, const char* key, const std::string& value) {
    if (!value.empty())
        plist_dict_set_item(dict, key, plist_new_string(value.c_str()));
}

plist_t Plist::NewDate(int64_t unixTime) {
    return plist_new_date(static_cast<int32_t>(unixTime - kAppleEpoch), 0);
}

int64_t Plist::UnixTime(plist_t date) {
    int32_t seconds = 0, microseconds = 0;
    plist_get_date_val(date, &seconds, &microseconds);
    return seconds + kAppleEpoch;
}

bool Plist::ParseIsoTime(const std::string& text, int64_t& unixTime) {
    std::tm parts{};
    char zone = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &parts.tm_year, &parts.tm_mon, &parts.tm_mday,
                    &parts.tm_hour, &parts.tm_min, &parts.tm_sec, &zone) != 7 ||
        zone != 'Z' || text.size() != 20)
        return false;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    unixTime = timegm(&parts);
    return true;
}

std::string Plist::IsoTime(int64_t unixTime) {
    const time_t time = static_cast<time_t>(unixTime);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

} // namespace vexa::formats
