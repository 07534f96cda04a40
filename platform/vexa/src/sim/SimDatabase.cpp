#include "SimDatabase.h"

#include <sqlite3.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

namespace vexa::sim {

Statement::Statement(sqlite3* connection, std::string_view sql)
    : m_connection(connection) {
    if (connection == nullptr) {
        m_error = SQLITE_MISUSE;
        return;
    }
    remember(sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(m_statement);
}

int Statement::Result() const {
    if (m_statement == nullptr && m_error == 0) {
        return VEXA_E_DATABASE;
    }
    return m_error == 0 ? VEXA_OK : SimDatabase::MapError(m_error);
}

void Statement::remember(int code) {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE && m_error == 0) {
        m_error = code;
    }
}

Statement& Statement::Bind(int index, int64_t value) {
    if (m_statement != nullptr) {
        remember(sqlite3_bind_int64(m_statement, index, value));
    }
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    if (m_statement != nullptr) {
        remember(sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT));
    }
    return *this;
}

Statement& Statement::Bind(int index, const char* text) {
    return text == nullptr ? BindNull(index) : Bind(index, std::string_view(text));
}

Statement& Statement::BindBlob(int index, const void* data, int length) {
    if (m_statement != nullptr) {
        remember(sqlite3_bind_blob(m_statement, index, data, length, SQLITE_TRANSIENT));
    }
    return *this;
}

Statement& Statement::BindNull(int index) {
    if (m_statement != nullptr) {
        remember(sqlite3_bind_null(m_statement, index));
    }
    return *this;
}

int Statement::Step() {
    if (!Ok()) {
        return m_error != 0 ? m_error : SQLITE_MISUSE;
    }
    const int code = sqlite3_step(m_statement);
    remember(code);
    return code;
}

int Statement::Run() {
    int code = Step();
    while (code == SQLITE_ROW) {
        code = Step();
    }
    return code == SQLITE_DONE ? VEXA_OK : Result();
}

void Statement::Reset() {
    if (m_statement != nullptr) {
        sqlite3_reset(m_statement);
    }
}

int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

std::string Statement::Text(int column) const {
    const auto* text = sqlite3_column_text(m_statement, column);
    if (text == nullptr) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(m_statement, column));
}

std::string_view Statement::TextView(int column) const {
    const auto* text = sqlite3_column_text(m_statement, column);
    if (text == nullptr) {
        return {};
    }
    return std::string_view(reinterpret_cast<const char*>(text), sqlite3_column_bytes(m_statement, column));
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

const void* Statement::Blob(int column, int& length) const {
    const void* data = sqlite3_column_blob(m_statement, column);
    length = sqlite3_column_bytes(m_statement, column);
    return data;
}

DatabaseSession::DatabaseSession(SimDatabase& database, std::unique_lock<std::recursive_mutex> lock,
                                 int result)
    : m_database(&database)
    , m_lock(std::move(lock))
    , m_result(result) {}

sqlite3* DatabaseSession::Handle() const {
    return m_result == VEXA_OK ? m_database->m_connection : nullptr;
}

int DatabaseSession::Exec(const char* sql) {
    if (m_result != VEXA_OK) {
        return m_result;
    }
    const int code = sqlite3_exec(Handle(), sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? VEXA_OK : SimDatabase::MapError(code);
}

int64_t DatabaseSession::LastInsertId() const {
    return Handle() != nullptr ? sqlite3_last_insert_rowid(Handle()) : 0;
}

int DatabaseSession::Changes() const {
    return Handle() != nullptr ? sqlite3_changes(Handle()) : 0;
}

Transaction::Transaction(DatabaseSession& session)
    : m_session(session)
    , m_result(session.Exec("BEGIN IMMEDIATE")) {
    m_open = m_result == VEXA_OK;
}

Transaction::~Transaction() {
    if (m_open) {
        m_session.Exec("ROLLBACK");
    }
}

int Transaction::Commit() {
    if (!m_open) {
        return m_result != VEXA_OK ? m_result : VEXA_E_INTERNAL;
    }
    const int result = m_session.Exec("COMMIT");
    if (result != VEXA_OK) {
        return result; // still open: the destructor rolls back
    }
    m_open = false;
    return VEXA_OK;
}

SimDatabase::SimDatabase(std::filesystem::path file, OpenMode mode)
    : m_file(std::move(file))
    , m_mode(mode) {}

SimDatabase::~SimDatabase() {
    // The last owner may be another thread than the one whose session opened the connection (the
    // device listener drops an unplugged device); the lock orders this close after that session.
    std::lock_guard lock(m_mutex);
    closeLocked();
}

namespace {

// SQLite maps the write-ahead index (-shm) into memory and grows it as it goes; in a folder whose files
// cannot be written (read-only or immutable) growing it fails and the next access to the mapping kills
// the process with SIGBUS. Such a database is not touched at all.
bool IsWritable(const std::filesystem::path& file) {
    std::error_code error;
    if (::access(file.parent_path().c_str(), W_OK) != 0) {
        return false;
    }
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::path part = file;
        part += suffix;
        if (std::filesystem::exists(part, error) && ::access(part.c_str(), R_OK | W_OK) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

DatabaseSession SimDatabase::Lock() {
    std::unique_lock lock(m_mutex);
    if (!IsWritable(m_file)) {
        return DatabaseSession(*this, std::move(lock), VEXA_E_IO);
    }
    const int result = m_connection != nullptr ? VEXA_OK : openLocked();
    return DatabaseSession(*this, std::move(lock), result);
}

void SimDatabase::Close() {
    std::lock_guard lock(m_mutex);
    closeLocked();
}

std::unique_lock<std::recursive_mutex> SimDatabase::CloseAndHold() {
    std::unique_lock lock(m_mutex);
    closeLocked();
    return lock;
}

int SimDatabase::openLocked() {
    std::error_code error;
    if (m_mode == OpenMode::MustExist && !std::filesystem::is_regular_file(m_file, error)) {
        return VEXA_E_NOT_FOUND;
    }
    // A database that is a symbolic link could be a file outside the device's folder: never opened.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW;
    if (m_mode == OpenMode::CreateIfMissing) {
        flags |= SQLITE_OPEN_CREATE;
    }
    sqlite3* connection = nullptr;
    int code = sqlite3_open_v2(m_file.c_str(), &connection, flags, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_busy_timeout(connection, 5000);
        // Reading the schema is what reveals a file that is not a database at all.
        code = sqlite3_exec(connection,
                            "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;"
                            "SELECT count(*) FROM sqlite_master;",
                            nullptr, nullptr, nullptr);
    }
    if (code != SQLITE_OK) {
        sqlite3_close_v2(connection);
        return MapError(code);
    }
    m_connection = connection;
    return VEXA_OK;
}

void SimDatabase::closeLocked() {
    if (m_connection != nullptr) {
        // The last connection's checkpoint writes through the index mapping; skipped when it cannot.
        if (!IsWritable(m_file)) {
            sqlite3_db_config(m_connection, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        }
        sqlite3_close_v2(m_connection);
        m_connection = nullptr;
    }
}

int SimDatabase::Snapshot(const std::filesystem::path& target) {
    auto session = Lock();
    if (session.Result() != VEXA_OK) {
        return session.Result();
    }
    sqlite3* copy = nullptr;
    int code = sqlite3_open_v2(target.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", session.Handle(), "main");
        if (backup == nullptr) {
            code = sqlite3_errcode(copy);
        } else {
            code = sqlite3_backup_step(backup, -1);
            const int finish = sqlite3_backup_finish(backup);
            code = code == SQLITE_DONE ? finish : code;
        }
    }
    if (code == SQLITE_OK) {
        // A snapshot is a single self-contained file, not a WAL pair.
        code = sqlite3_exec(copy, "PRAGMA journal_mode=DELETE;", nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(copy);
    if (code != SQLITE_OK) {
        std::error_code ignored;
        std::filesystem::remove(target, ignored);
        return MapError(code);
    }
    return VEXA_OK;
}

int SimDatabase::MapError(int sqliteCode) {
    switch (sqliteCode & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return VEXA_OK;
    case SQLITE_FULL:
        return VEXA_E_NO_SPACE;
    case SQLITE_CONSTRAINT:
        return VEXA_E_EXISTS;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return VEXA_E_IO;
    default: // SQLITE_CORRUPT, SQLITE_NOTADB, SQLITE_BUSY, ...
        return VEXA_E_DATABASE;
    }
}

} // namespace vexa::sim
