#pragma once

#include <filesystem>
#include <string>

namespace vexa::formats {

struct BookSpec {
    std::string title, author;
    int pages = 3;
};

struct BookInfo {
    std::string title, author;
};

// A valid PDF with a document information dictionary holding title and author.
bool WritePdf(const std::filesystem::path& path, const BookSpec& spec);

// An EPUB 3 book: a zip whose first entry is the stored "mimetype", or the same tree as a folder
// (the layout of a book unpacked on the device).
bool WriteEpub(const std::filesystem::path& path, const BookSpec& spec, bool asFolder);

// Title and author from a PDF's information dictionary or from an EPUB's package document
// (zip or folder). A PDF without a title gets its file name without suffix.
bool ReadBookInfo(const std::filesystem::path& pathOrFolder, BookInfo& info);

} // namespace vexa::formats
