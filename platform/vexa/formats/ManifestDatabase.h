#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vexa::formats {

// Manifest.db: the Files table (fileID, domain, relativePath, flags, file) and the Properties table of a
// backup. Writing happens in one transaction that Commit() ends, so an unfinished backup has no rows.
class ManifestDatabase {
public:
    struct Row {
        std::string fileId, domain, relativePath;
        int64_t flags = 0;
        std::vector<uint8_t> file;
    };
    enum Flags : int64_t {
        kFlagFile = 1,
        kFlagDirectory = 2,
    };

    ManifestDatabase() = default;
    ~ManifestDatabase();
    ManifestDatabase(const ManifestDatabase&) = delete;
    ManifestDatabase& operator=(const ManifestDatabase&) = delete;

    bool Create(const std::filesystem::path& path);
    bool Insert(const Row& row);
    bool Commit();

    // False when the file is not SQLite or has no readable Files table.
    bool OpenReadOnly(const std::filesystem::path& path);
    // A backup's Manifest.db, decrypted with `key` into a private file first when the key is not empty
    // (the file goes with this object): kBackupOk, kBackupNotABackup when it is not there, kBackupDamaged
    // when it does not decrypt or is no such database, kBackupIoError.
    int OpenStored(const std::filesystem::path& path, const std::vector<uint8_t>& key);
    bool ForEachRow(const std::function<void(const Row&)>& visit) const;
    // The rows of `domain` whose path is `prefix` or lies below it (every row of the domain for an empty
    // prefix), in path order; false on a read error.
    bool ForEachRowUnder(const std::string& domain, const std::string& prefix,
                         const std::function<void(const Row&)>& visit) const;
    // kBackupOk, kBackupNoSuchFile or kBackupDamaged.
    int FindRow(const std::string& domain, const std::string& relativePath, Row& row) const;

private:
    bool execute(const char* sql);

    sqlite3* m_database = nullptr;
    sqlite3_stmt* m_insert = nullptr;  // prepared once for the many rows of a backup
    std::filesystem::path m_plainCopy; // the decrypted copy of an encrypted manifest, removed at the end
};

} // namespace vexa::formats
