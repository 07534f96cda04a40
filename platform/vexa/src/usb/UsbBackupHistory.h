#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sim/BackupHistory.h"

namespace vexa::usb {

// The backups made of usb devices, kept on this computer (a real device keeps no such list): an XML
// property list in the user's data folder, "vexa-transfer/usb-backups.plist".
class UsbBackupHistory {
public:
    UsbBackupHistory();
    explicit UsbBackupHistory(std::filesystem::path file);

    // A second backup into the same folder replaces the first. A VexaResult.
    int Add(const sim::BackupEntry& entry);
    // The backups of `udid` whose folder still holds one.
    std::vector<sim::BackupEntry> List(const std::string& udid) const;

private:
    std::vector<sim::BackupEntry> load() const;

    std::filesystem::path m_file;
};

} // namespace vexa::usb
