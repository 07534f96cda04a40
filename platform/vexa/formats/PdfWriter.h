#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "formats/BookFile.h"

namespace vexa::formats {

// Writes a small PDF 1.4 document: catalog, page tree, one Helvetica page per spec page, and an
// information dictionary; the cross-reference table records each object's byte offset.
class PdfWriter {
public:
    explicit PdfWriter(const BookSpec& spec);
    std::string Document() const;

    // A PDF text string: literal for printable ASCII, UTF-16BE hex with byte order mark otherwise.
    static std::string TextString(const std::string& utf8);

private:
    std::string pageContent(int page) const;

    BookSpec m_spec;
};

} // namespace vexa::formats
