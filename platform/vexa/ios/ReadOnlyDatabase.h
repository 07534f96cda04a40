#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vexa::ios {

// A database file opened for reading only. A phone's or a backup's file is first copied with its -wal
// and -shm siblings into a private folder, so that neither the original nor a writer's later changes
// matter while it is read; a file the caller already holds locked (the simulator's own) can be read in
// place. Open() answers a ReadResult.
class ReadOnlyDatabase {
public:
    ReadOnlyDatabase() = default;
    ~ReadOnlyDatabase();
    ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
    ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;

    enum class Mode { Copy, InPlace };
    int Open(const std::filesystem::path& file, Mode mode = Mode::Copy);
    void Close();

    sqlite3* Handle() const { return m_db; }
    bool HasTable(std::string_view table) const;
    std::set<std::string, std::less<>> Columns(std::string_view table) const;
    // The first of `names` that is a table here, or empty.
    std::string FirstTable(const std::vector<std::string_view>& names) const;

    // The copies of the last Open (for tests and for callers that hand the file on).
    const std::filesystem::path& CopiedFile() const { return m_copy; }

private:
    sqlite3* m_db = nullptr;
    std::filesystem::path m_folder; // private folder of the copy, removed on Close()
    std::filesystem::path m_copy;
};

// One statement over a ReadOnlyDatabase. Errors are kept: Next() is false at the end or on an error,
// and Error() tells which (0 at a clean end).
class Query {
public:
    Query(const ReadOnlyDatabase& database, std::string_view sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& Bind(int index, int64_t value);
    Query& Bind(int index, std::string_view text);

    bool Next();
    int Error() const { return m_error; } // an SQLite error code, 0 when none
    // A prepare or step that failed because the file is not a database or is damaged, rather than
    // because of a missing table or column.
    bool FileDamaged() const;

    bool IsNull(int column) const;
    int64_t Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const; // empty for NULL
    std::vector<uint8_t> Blob(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_error = 0;
};

} // namespace vexa::ios
