#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

struct sqlite3;

namespace vexa::sim {

class PendingRemoval;

// Electronic books: their files under the device's "/Books" folder and one row each in the device
// database. The caller holds the database lock and a transaction for changes.
class BookStore {
public:
    BookStore(sqlite3* db, std::filesystem::path mediaRoot);

    // A PDF or EPUB file, or an unpacked EPUB folder, copied onto the device. `format` 0 picks it from
    // the file; BOOK_EPUB_IBOOKS marks a book made by iBooks.
    int Add(const std::filesystem::path& local, int format = 0);
    // Finds the book by its store key, or by its path when the key is empty.
    int Delete(const BookRecord& record, PendingRemoval& removal);
    int List(std::vector<BookRecord>& out);

private:
    sqlite3* m_db;
    std::filesystem::path m_mediaRoot;
};

} // namespace vexa::sim
