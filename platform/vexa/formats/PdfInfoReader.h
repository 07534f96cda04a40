#pragma once

#include <string>

#include "formats/BookFile.h"

namespace vexa::formats {

// Finds the document information dictionary of a PDF through the trailer's /Info reference and decodes its
// /Title and /Author strings. Information kept in compressed object streams is not reached.
class PdfInfoReader {
public:
    explicit PdfInfoReader(std::string document);

    bool IsPdf() const;
    BookInfo Read() const;

    // Decodes a literal "(...)" or hex "<...>" string starting at `at`; UTF-16BE with BOM or PDFDocEncoding.
    static std::string DecodeString(const std::string& text, size_t at);

private:
    std::string infoDictionary() const;
    std::string valueOf(const std::string& dictionary, const std::string& key) const;

    std::string m_document;
};

} // namespace vexa::formats
