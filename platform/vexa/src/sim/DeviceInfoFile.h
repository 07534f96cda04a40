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
    // PBKDF2 rounds (SHA-256, then SHA-1) of the password key of encrypted backups; 0 keeps the default.
    uint32_t backupSha256Rounds = 0;
    uint32_t backupSha1Rounds = 0;

    static int Load(const std::filesystem::path& file, DeviceInfoFile& info);
    int Save(const std::filesystem::path& file) const;
};

} // namespace vexa::sim
