#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexa::sim {

class SimDatabase;

// The backups a device has made, kept in its own database (table `backups`).
struct BackupEntry {
    std::string udid;
    std::string folder;
    std::string deviceName;
    std::string dateTime; // "yyyy-MM-dd hh:mm:ss", local time
    std::string productType;
    std::string productVersion;
    std::string serialNumber;
    bool encrypted = false;
    uint64_t size = 0;
};

class BackupHistory {
public:
    explicit BackupHistory(SimDatabase& database);

    int Add(const BackupEntry& entry); // a second backup into the same folder replaces the first
    int List(const std::string& udid, std::vector<BackupEntry>& entries);

private:
    SimDatabase& m_database;
};

} // namespace vexa::sim
