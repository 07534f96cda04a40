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
    bool ForEachRow(const std::function<void(const Row&)>& visit) const;

private:
    bool execute(const char* sql);

    sqlite3* m_database = nullptr;
    sqlite3_stmt* m_insert = nullptr; // prepared once for the many rows of a backup
};

} // namespace vexa::formats
