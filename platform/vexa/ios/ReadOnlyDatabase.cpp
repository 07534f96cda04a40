#include "ReadOnlyDatabase.h"

#include <atomic>
#include <chrono>
#include <cstring>

#include <sqlite3.h>
#include <unistd.h>

#include "ReadResult.h"

namespace fs = std::filesystem;

namespace vexa::ios {

namespace {

fs::path PrivateFolder() {
    static std::atomic<uint64_t> counter{0};
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error)
        base = "/tmp";
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return base / ("vexa-read-" + std::to_string(::getpid()) + "-" + std::to_string(stamp) + "-" +
                   std::to_string(counter++));
}

} // namespace

const char* ReadResultName(int result) {
    switch (result) {
    case kReadOk:
        return "ok";
    case kReadMissing:
        return "missing";
    case kReadDamaged:
        return "damaged";
    case kReadIoError:
        return "i/o error";
    case kReadWrongPassword:
        return "wrong password";
    case kReadPasswordNeeded:
        return "password needed";
    case kReadCancelled:
        return "cancelled";
    }
    return "unknown";
}

ReadOnlyDatabase::~ReadOnlyDatabase() {
    Close();
}

void ReadOnlyDatabase::Close() {
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    if (!m_folder.empty()) {
        std::error_code error;
        fs::remove_all(m_folder, error);
        m_folder.clear();
    }
    m_copy.clear();
}

int ReadOnlyDatabase::Open(const fs::path& file, Mode mode) {
    Close();
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return fs::exists(file, error) ? kReadDamaged : kReadMissing;

    fs::path target = file;
    int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::Copy) {
        m_folder = PrivateFolder();
        if (!fs::create_directories(m_folder, error))
            return kReadIoError;
        m_copy = m_folder / file.filename();
        if (!fs::copy_file(file, m_copy, error)) {
            Close();
            return kReadIoError;
        }
        for (const char* suffix : {"-wal", "-shm"}) {
            fs::path sibling = file;
            sibling += suffix;
            fs::path siblingCopy = m_copy;
            siblingCopy += suffix;
            if (fs::exists(sibling, error) && !fs::copy_file(sibling, siblingCopy, error)) {
                Close();
                return kReadIoError;
            }
        }
        fs::permissions(m_copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
        target = m_copy;
        // The private copy may be written: SQLite folds a copied -wal into it on opening, which a
        // read-only connection could not do. Nothing here changes a row.
        flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    }
    if (sqlite3_open_v2(target.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        Close();
        return kReadIoError;
    }
    sqlite3_busy_timeout(m_db, 2000);
    sqlite3_exec(m_db, "PRAGMA query_only=1", nullptr, nullptr, nullptr);
    // A file that is not a database fails here rather than on the first real query.
    const int check = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        Close();
        return (check == SQLITE_NOTADB || check == SQLITE_CORRUPT) ? kReadDamaged : kReadIoError;
    }
    return kReadOk;
}

bool ReadOnlyDatabase::HasTable(std::string_view table) const {
    Query query(*this, "SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ?1");
    query.Bind(1, table);
    return query.Next();
}

std::set<std::string, std::less<>> ReadOnlyDatabase::Columns(std::string_view table) const {
    std::set<std::string, std::less<>> columns;
    Query query(*this, "SELECT name FROM pragma_table_info(?1)");
    query.Bind(1, table);
    while (query.Next())
        columns.insert(query.Text(0));
    return columns;
}

std::string ReadOnlyDatabase::FirstTable(const std::vector<std::string_view>& names) const {
    for (std::string_view name : names) {
        if (HasTable(name))
            return std::string(name);
    }
    return {};
}

Query::Query(const ReadOnlyDatabase& database, std::string_view sql) {
    if (database.Handle() == nullptr) {
        m_error = SQLITE_MISUSE;
        return;
    }
    m_error = sqlite3_prepare_v2(database.Handle(), sql.data(), int(sql.size()), &m_statement, nullptr);
    if (m_error != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

Query::~Query() {
    sqlite3_finalize(m_statement);
}

Query& Query::Bind(int index, int64_t value) {
    if (m_statement != nullptr)
        sqlite3_bind_int64(m_statement, index, value);
    return *this;
}

Query& Query::Bind(int index, std::string_view text) {
    if (m_statement != nullptr)
        sqlite3_bind_text(m_statement, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

bool Query::Next() {
    if (m_statement == nullptr || m_error != SQLITE_OK)
        return false;
    const int step = sqlite3_step(m_statement);
    if (step == SQLITE_ROW)
        return true;
    if (step != SQLITE_DONE)
        m_error = step;
    return false;
}

bool Query::FileDamaged() const {
    const int primary = m_error & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_IOERR;
}

bool Query::IsNull(int column) const {
    return m_statement == nullptr || sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

int64_t Query::Int(int column) const {
    return m_statement ? sqlite3_column_int64(m_statement, column) : 0;
}

double Query::Real(int column) const {
    return m_statement ? sqlite3_column_double(m_statement, column) : 0.0;
}

std::string Query::Text(int column) const {
    if (m_statement == nullptr)
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return text ? std::string(text, size_t(sqlite3_column_bytes(m_statement, column))) : std::string();
}

std::vector<uint8_t> Query::Blob(int column) const {
    if (m_statement == nullptr)
        return {};
    const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::vector<uint8_t>(data, data + size) : std::vector<uint8_t>();
}

} // namespace vexa::ios
