#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vexa::sim {

class SimDevice;

// Whole-device backup and restore in the standard backup layout. A backup holds the device database
// (HomeDomain, Library/Device/device.sqlite), every file below Media/ (MediaDomain, Media/...) and each
// installed app's folder (AppDomain-<bundle id>). The device's backup password, when set, encrypts it.
class DeviceBackup {
public:
    explicit DeviceBackup(std::shared_ptr<SimDevice> device);

    int Backup(const std::filesystem::path& folder);
    // Everything is unpacked beside the device first and swapped in only when complete; the device keeps
    // its own identity, name and list of backups made.
    int Restore(const std::filesystem::path& folder, const std::string& password);

    static constexpr const char* kDatabaseDomain = "HomeDomain";
    static constexpr const char* kDatabasePath = "Library/Device/device.sqlite";

private:
    int backupInto(const std::filesystem::path& folder);
    int unpack(const std::filesystem::path& folder, const std::string& password,
               const std::filesystem::path& staging);
    int swapIn(const std::filesystem::path& staging, const std::filesystem::path& old);

    std::shared_ptr<SimDevice> m_device;
};

} // namespace vexa::sim
