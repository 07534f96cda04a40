#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "DeviceProfile.h"

namespace vexa::sim {

// A device's `device.json`: its properties, battery, storage sizes and settings such as the backup
// password. Saved atomically so a reader in another process never sees half of it.
struct DeviceInfoFile {
    DeviceProfile profile;
    std::string backupPassword; // empty: backups are not encrypted

    static int Load(const std::filesystem::path& file, DeviceInfoFile& info);
    int Save(const std::filesystem::path& file) const;
};

} // namespace vexa::sim
