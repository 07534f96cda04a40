#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "formats/BookFile.h"

namespace vexa::formats {

// Builds the files of an EPUB 3 book (with an NCX table of contents for older readers) and writes them as a
// zip, "mimetype" first and stored, or as a folder tree.
class EpubWriter {
public:
    explicit EpubWriter(const BookSpec& spec);

    bool WriteZip(const std::filesystem::path& path) const;
    bool WriteFolder(const std::filesystem::path& folder) const;

private:
    std::string packageDocument() const;
    std::string navigation() const;
    std::string tableOfContents() const;
    std::string chapter(int number) const;
    std::string identifier() const;

    BookSpec m_spec;
    std::map<std::string, std::string> m_files; // path in the book -> content, except "mimetype"
};

} // namespace vexa::formats
