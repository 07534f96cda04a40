#include "PdfWriter.h"

#include <cstdio>
#include <sstream>

#include <QString>

namespace vexa::formats {

namespace {

bool PrintableAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

std::string Literal(const std::string& ascii) {
    std::string out = "(";
    for (char c : ascii) {
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + ")";
}

// Page text is drawn with a standard font, so characters outside ASCII become "?".
std::string AsciiOnly(const std::string& utf8) {
    std::string out;
    for (const QChar c : QString::fromStdString(utf8))
        out += (c.unicode() >= 0x20 && c.unicode() < 0x7F) ? static_cast<char>(c.unicode()) : '?';
    return out;
}

} // namespace

PdfWriter::PdfWriter(const BookSpec& spec)
    : m_spec(spec) {
    if (m_spec.pages < 1)
        m_spec.pages = 1;
}

std::string PdfWriter::TextString(const std::string& utf8) {
    if (PrintableAscii(utf8))
        return Literal(utf8);
    std::string out = "<FEFF";
    char hex[8];
    for (const QChar c : QString::fromStdString(utf8)) {
        std::snprintf(hex, sizeof hex, "%04X", c.unicode());
        out += hex;
    }
    return out + ">";
}

std::string PdfWriter::pageContent(int page) const {
    std::ostringstream text;
    text << "BT /F1 28 Tf 72 700 Td " << Literal(AsciiOnly(m_spec.title)) << " Tj ET\n"
         << "BT /F1 16 Tf 72 660 Td " << Literal(AsciiOnly(m_spec.author)) << " Tj ET\n"
         << "BT /F1 12 Tf 72 72 Td (Page " << page << " of " << m_spec.pages << ") Tj ET\n";
    return text.str();
}

std::string PdfWriter::Document() const {
    // Objects: 1 catalog, 2 page tree, 3 font, 4 information, then a page and its content per page.
    std::vector<std::string> objects;
    std::ostringstream kids;
    for (int page = 0; page < m_spec.pages; ++page)
        kids << (page ? " " : "") << 5 + 2 * page << " 0 R";
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids.str() + "] /Count " + std::to_string(m_spec.pages) +
                      " >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    objects.push_back("<< /Title " + TextString(m_spec.title) + " /Author " + TextString(m_spec.author) +
                      " /Creator (Vexa Transfer) /Producer (Vexa Transfer) >>");
    for (int page = 0; page < m_spec.pages; ++page) {
        const int contents = 6 + 2 * page;
        objects.push_back(
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R >> "
            ">> /Contents " +
            std::to_string(contents) + " 0 R >>");
        const std::string stream = pageContent(page + 1);
        objects.push_back("<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream +
                          "endstream");
    }

    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    char entry[32];
    for (size_t offset : offsets) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R /Info 4 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace vexa::formats
