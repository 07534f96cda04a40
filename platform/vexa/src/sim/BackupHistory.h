#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct BackupRecord;

namespace vexa::sim {

class ResultArena;
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

    // Takes the history out of a copy of the device's database made for a backup: a backup holds the
    // device's content, not the list of its own backups (a restore keeps the device's list as it is).
    // The copy is rewritten whole, so that the same content always gives the same bytes and an
    // unchanged device's next backup can take the file from the earlier one. Answers a VexaResult.
    static int LeaveOut(const std::filesystem::path& databaseCopy);

private:
    SimDatabase& m_database;
};

// The records GetBackups answers for `entries`, kept in `arena` after what it held is cleared.
BackupRecord* KeepRecords(ResultArena& arena, const std::vector<BackupEntry>& entries);

} // namespace vexa::sim
