#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

#include "ios/BookListReader.h"

namespace vexa::sim {

class PendingRemoval;

// Electronic books as a phone keeps them: the files in the device's "/Books" folder and one entry each
// in Books/Books.plist. Changes are made in memory and written by Save(), which replaces the list in one
// rename; a store that is not saved leaves the list as it was (the caller removes files it copied in).
// The caller serialises stores of one device.
class BookStore {
public:
    explicit BookStore(std::filesystem::path mediaRoot);

    static std::filesystem::path ListFile(const std::filesystem::path& mediaRoot);
    // The record a listing hands out for one entry whose file has `format` and `size` bytes; shared with
    // the listings of real devices and backups, which find the files elsewhere.
    static BookRecord RecordOf(const ios::BookListEntry& book, int format, uint64_t size);
    // The format a file's name tells: PDF, EPUB, or 0.
    static int FormatOfName(const std::string& name);

    // A PDF or EPUB file, or an unpacked EPUB folder, copied onto the device. `format` 0 picks it from
    // the file; BOOK_EPUB_IBOOKS marks a book made by iBooks. `copied` receives the file made.
    int Add(const std::filesystem::path& local, int format = 0, std::filesystem::path* copied = nullptr);
    // An entry for a file already in the Books folder (`fileName` relative to it).
    int AddEntry(const std::string& fileName, const std::string& title, const std::string& author,
                 bool madeByIBooks);
    // Finds the book by its store key (the persistent id), or by its path when the key is empty.
    int Delete(const BookRecord& record, PendingRemoval& removal);
    int List(std::vector<BookRecord>& out);
    int Save();

private:
    int Load();

    std::filesystem::path m_mediaRoot;
    std::vector<ios::BookListEntry> m_books;
    bool m_loaded = false;
};

} // namespace vexa::sim
