#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

struct sqlite3;

namespace vexa::sim {

class PendingRemoval;

// Installed applications: one container folder per app under Applications/<bundle id>/ holding the
// app bundle and its Documents, Library and tmp folders, and one row each in the device database.
// The caller holds the database lock and a transaction for changes.
class AppStore {
public:
    AppStore(sqlite3* db, std::filesystem::path applicationsRoot);

    // Unpacks an .ipa; `deviceVersion` is the device's system version, checked against the app's
    // minimum. Answers 0 or one of the app library's codes.
    int Install(const std::filesystem::path& ipa, const std::string& deviceVersion);
    int Uninstall(const std::string& bundleId, PendingRemoval& removal);
    int Backup(const std::string& bundleId, const std::filesystem::path& destination, bool withDocuments);
    int List(std::vector<AppRecord>& out);
    int Icon(const std::string& bundleId, std::vector<uint8_t>& png);
    std::filesystem::path ContainerOf(const std::string& bundleId) const;

    // Negative, zero or positive as dotted version a is older, equal or newer than b.
    static int CompareVersions(const std::string& a, const std::string& b);

private:
    int Unpack(const std::filesystem::path& ipa, const std::filesystem::path& container,
               std::string& appFolder);

    sqlite3* m_db;
    std::filesystem::path m_root;
};

} // namespace vexa::sim
