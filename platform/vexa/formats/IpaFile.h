#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexa::formats {

struct AppBundle {
    std::string bundleId, displayName, version, shortVersion, minimumOS, executable;
    std::vector<uint8_t> iconPng;
    // Reading: the unpacked size of everything under Payload/. Writing: the executable stub is padded so
    // the payload reaches this size (when it is larger than the bundle's own files).
    uint64_t payloadBytes = 0;
};

// Payload/<X>.app/Info.plist (binary or XML) and the icon it names. Refuses damaged archives and archives
// with entries that would leave the extraction folder ("..", absolute paths).
bool ReadIpa(const std::filesystem::path& ipa, AppBundle& app);

// Payload/<executable>.app/ with a binary Info.plist, the executable stub and the icon, plus
// iTunesMetadata.plist at the top.
bool WriteIpa(const std::filesystem::path& ipa, const AppBundle& app);

} // namespace vexa::formats
