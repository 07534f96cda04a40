#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexa::ios {

struct BookListEntry {
    std::string name;          // the title
    std::string artist;        // the author; may be empty
    std::string path;          // the file or folder, relative to the Books folder
    std::string packageHash;   // 32 hex digits
    std::string persistentId;  // 16 hex digits
    bool madeByIBooks = false; // "Inserted-By-iBooks": a book the phone's own app made
};

// Reads the phone's list of books (Media/Books/Books.plist): a dictionary whose "Books" array holds one
// dictionary per book. An entry without a path, or whose path leaves the Books folder, is skipped; every
// other key is optional. Read answers a ReadResult and, unless kReadOk, leaves `books` empty.
class BookListReader {
public:
    static constexpr uint64_t kMaxBytes = 64u << 20;

    static int Read(const std::filesystem::path& file, std::vector<BookListEntry>& books);
    static int Parse(const std::vector<uint8_t>& data, std::vector<BookListEntry>& books);
    // A path from the list that stays inside the Books folder: relative, without "..".
    static bool IsInsideFolder(const std::string& path);
};

} // namespace vexa::ios
