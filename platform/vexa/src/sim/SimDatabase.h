#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vexa::sim {

class SimDatabase;

// One prepared statement. Errors are kept, not thrown: Step() answers SQLITE_ROW, SQLITE_DONE or an
// SQLite error code, and Result() turns the first failure into a VexaResult.
class Statement {
public:
    Statement(sqlite3* connection, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return m_statement != nullptr && m_error == 0; }
    int Result() const;

    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, const char* text); // null binds NULL
    Statement& BindBlob(int index, const void* data, int length);
    Statement& BindNull(int index);

    int Step();   // SQLITE_ROW, SQLITE_DONE or the error
    int Run();    // steps to the end; 0 or a VexaResult
    void Reset(); // for the next row of a bulk insert; keeps the bindings

    int64_t Int(int column) const;
    std::string Text(int column) const;
    // The same text without a copy; valid until the next Step() or Reset().
    std::string_view TextView(int column) const;
    bool IsNull(int column) const;
    const void* Blob(int column, int& length) const;

private:
    void remember(int code);

    sqlite3* m_connection = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    int m_error = 0;
};

// Exclusive use of a database connection for as long as it lives. Opening happens on the first Lock().
class DatabaseSession {
public:
    DatabaseSession(SimDatabase& database, std::unique_lock<std::recursive_mutex> lock, int result);

    int Result() const { return m_result; } // 0, or why the database could not be opened
    sqlite3* Handle() const;
    int Exec(const char* sql);
    int64_t LastInsertId() const;
    int Changes() const;

private:
    SimDatabase* m_database;
    std::unique_lock<std::recursive_mutex> m_lock;
    int m_result;
};

// Rolls back unless committed. Keeps the session's lock for its whole life through the session.
class Transaction {
public:
    explicit Transaction(DatabaseSession& session);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int Result() const { return m_result; } // 0 when the transaction began
    int Commit();

private:
    DatabaseSession& m_session;
    int m_result;
    bool m_open = false;
};

// One SQLite file of a simulated device, shared by every thread of the process through one connection
// guarded by a recursive mutex (WAL and a busy timeout keep other processes such as vexa-simctl working).
class SimDatabase {
public:
    enum class OpenMode {
        CreateIfMissing,
        MustExist,
    };

    SimDatabase(std::filesystem::path file, OpenMode mode);
    ~SimDatabase();
    SimDatabase(const SimDatabase&) = delete;
    SimDatabase& operator=(const SimDatabase&) = delete;

    const std::filesystem::path& File() const { return m_file; }

    DatabaseSession Lock();
    // Closes the connection so the file can be replaced; the next Lock() opens it again.
    void Close();
    // Closes the connection and keeps every other thread out until the lock is released, while the
    // file is swapped for another.
    std::unique_lock<std::recursive_mutex> CloseAndHold();
    // Copies a consistent snapshot of the database into `target` (SQLite's online backup).
    int Snapshot(const std::filesystem::path& target);

    // SQLITE_CORRUPT and SQLITE_NOTADB become VEXA_E_DATABASE, a full disk VEXA_E_NO_SPACE.
    static int MapError(int sqliteCode);

private:
    friend class DatabaseSession;
    int openLocked();
    void closeLocked();

    std::filesystem::path m_file;
    OpenMode m_mode;
    std::recursive_mutex m_mutex;
    sqlite3* m_connection = nullptr;
};

} // namespace vexa::sim
