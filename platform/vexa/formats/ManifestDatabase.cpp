#include "ManifestDatabase.h"

#include <cstring>
#include <fstream>
#include <memory>

#include <sqlite3.h>
#include <unistd.h>

#include "formats/BackupCipher.h"
#include "formats/BackupTypes.h"

namespace vexa::formats {

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

StatementPtr Prepare(sqlite3* database, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) != SQLITE_OK)
        return nullptr;
    return StatementPtr(statement);
}

std::string Text(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool HasSqliteHeader(const std::filesystem::path& path) {
    char header[16] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(header, sizeof header);
    return in && std::memcmp(header, "SQLite format 3", 16) == 0;
}

ManifestDatabase::Row ReadRow(sqlite3_stmt* statement) {
    ManifestDatabase::Row row{
        Text(statement, 0), Text(statement, 1), Text(statement, 2), sqlite3_column_int64(statement, 3), {}};
    const auto* blob = static_cast<const uint8_t*>(sqlite3_column_blob(statement, 4));
    if (blob)
        row.file.assign(blob, blob + sqlite3_column_bytes(statement, 4));
    return row;
}

// A private file name in the temporary folder, or empty.
std::filesystem::path PrivateTemporaryFile() {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "vexa-manifest-XXXXXX").string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0)
        return {};
    close(descriptor);
    return pattern;
}

} // namespace

ManifestDatabase::~ManifestDatabase() {
    sqlite3_finalize(m_insert);
    sqlite3_close(m_database);
    std::error_code error;
    if (!m_plainCopy.empty())
        std::filesystem::remove(m_plainCopy, error);
}

bool ManifestDatabase::execute(const char* sql) {
    return sqlite3_exec(m_database, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool ManifestDatabase::Create(const std::filesystem::path& path) {
    if (sqlite3_open_v2(path.string().c_str(), &m_database, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        return false;
    // The manifest is built in a folder that only counts once it is finished, so it needs no syncing
    // of its own; a sync here would also wait for every file the backup has written so far.
    return execute("PRAGMA journal_mode=DELETE") && execute("PRAGMA synchronous=OFF") &&
           execute("PRAGMA cache_size=-65536") &&
           execute(
               "CREATE TABLE IF NOT EXISTS Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, "
               "flags INTEGER, file BLOB)") &&
           execute("CREATE INDEX IF NOT EXISTS FilesDomainIdx ON Files(domain)") &&
           execute("CREATE INDEX IF NOT EXISTS FilesRelativePathIdx ON Files(relativePath)") &&
           execute("CREATE INDEX IF NOT EXISTS FilesFlagsIdx ON Files(flags)") &&
           execute("CREATE TABLE IF NOT EXISTS Properties (key TEXT PRIMARY KEY, value BLOB)") &&
           execute("BEGIN");
}

bool ManifestDatabase::Insert(const Row& row) {
    if (!m_insert &&
        sqlite3_prepare_v2(m_database,
                           "INSERT OR REPLACE INTO Files (fileID, domain, relativePath, flags, file) "
                           "VALUES (?, ?, ?, ?, ?)",
                           -1, &m_insert, nullptr) != SQLITE_OK)
        return false;
    sqlite3_stmt* statement = m_insert;
    sqlite3_reset(statement);
    sqlite3_bind_text(statement, 1, row.fileId.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, row.domain.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 3, row.relativePath.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(statement, 4, row.flags);
    sqlite3_bind_blob(statement, 5, row.file.data(), static_cast<int>(row.file.size()), SQLITE_TRANSIENT);
    return sqlite3_step(statement) == SQLITE_DONE;
}

bool ManifestDatabase::Commit() {
    return execute("COMMIT");
}

bool ManifestDatabase::OpenReadOnly(const std::filesystem::path& path) {
    if (!HasSqliteHeader(path))
        return false;
    if (sqlite3_open_v2(path.string().c_str(), &m_database, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return false;
    return Prepare(m_database, "SELECT fileID, domain, relativePath, flags, file FROM Files") != nullptr;
}

int ManifestDatabase::OpenStored(const std::filesystem::path& path, const std::vector<uint8_t>& key) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return kBackupNotABackup;
    std::filesystem::path plain = path;
    if (!key.empty()) {
        m_plainCopy = PrivateTemporaryFile();
        if (m_plainCopy.empty())
            return kBackupIoError;
        uint64_t size = 0;
        if (const int decrypted = BackupCipher::DecryptFile(key, path, m_plainCopy, size);
            decrypted != kBackupOk)
            return decrypted == kBackupMissingFile ? kBackupNotABackup : decrypted;
        plain = m_plainCopy;
    }
    return OpenReadOnly(plain) ? kBackupOk : kBackupDamaged;
}

bool ManifestDatabase::ForEachRow(const std::function<void(const Row&)>& visit) const {
    StatementPtr statement =
        Prepare(m_database, "SELECT fileID, domain, relativePath, flags, file FROM Files");
    if (!statement)
        return false;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW)
        visit(ReadRow(statement.get()));
    return step == SQLITE_DONE;
}

bool ManifestDatabase::ForEachRowUnder(const std::string& domain, const std::string& prefix,
                                       const std::function<void(const Row&)>& visit) const {
    // substr() rather than LIKE: paths hold '%' and '_' as any other character.
    StatementPtr statement =
        Prepare(m_database, "SELECT fileID, domain, relativePath, flags, file FROM Files "
                            "WHERE domain = ?1 AND (?2 = '' OR relativePath = ?2 OR "
                            "substr(relativePath, 1, length(?2) + 1) = ?2 || '/') "
                            "ORDER BY relativePath");
    if (!statement)
        return false;
    sqlite3_bind_text(statement.get(), 1, domain.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement.get(), 2, prefix.c_str(), -1, SQLITE_TRANSIENT);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW)
        visit(ReadRow(statement.get()));
    return step == SQLITE_DONE;
}

int ManifestDatabase::FindRow(const std::string& domain, const std::string& relativePath, Row& row) const {
    // By the file ID, which is the key (some tools write it in upper case); by the names when a tool did
    // not name the file after its domain and path.
    const std::string id = BackupFileId(domain, relativePath);
    for (const char* sql : {"SELECT fileID, domain, relativePath, flags, file FROM Files "
                            "WHERE fileID IN (?1, upper(?1)) LIMIT 1",
                            "SELECT fileID, domain, relativePath, flags, file FROM Files "
                            "WHERE relativePath = ?3 AND domain = ?2 LIMIT 1"}) {
        StatementPtr statement = Prepare(m_database, sql);
        if (!statement)
            return kBackupDamaged;
        sqlite3_bind_text(statement.get(), 1, id.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement.get(), 2, domain.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement.get(), 3, relativePath.c_str(), -1, SQLITE_TRANSIENT);
        const int step = sqlite3_step(statement.get());
        if (step == SQLITE_ROW) {
            row = ReadRow(statement.get());
            return row.domain == domain && row.relativePath == relativePath ? kBackupOk : kBackupDamaged;
        }
        if (step != SQLITE_DONE)
            return kBackupDamaged;
    }
    return kBackupNoSuchFile;
}

} // namespace vexa::formats
