#include "PdfInfoReader.h"

#include <cctype>

#include <QString>

namespace vexa::formats {

namespace {

std::string LiteralBytes(const std::string& text, size_t at) {
    std::string bytes;
    int depth = 0;
    for (size_t i = at; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            if (next >= '0' && next <= '7') {
                int value = 0;
                for (int digits = 0; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7';
                     ++digits)
                    value = value * 8 + (text[i++] - '0');
                --i;
                bytes += static_cast<char>(value);
                continue;
            }
            const std::string escapes = "nrtbf", values = "\n\r\t\b\f";
            const size_t known = escapes.find(next);
            if (next == '\r' || next == '\n')
                continue; // a line continuation
            bytes += known == std::string::npos ? next : values[known];
        } else if (c == '(') {
            if (depth++ > 0)
                bytes += c;
        } else if (c == ')') {
            if (--depth == 0)
                return bytes;
            bytes += c;
        } else {
            bytes += c;
        }
    }
    return bytes;
}

std::string HexBytes(const std::string& text, size_t at) {
    std::string digits;
    for (size_t i = at + 1; i < text.size() && text[i] != '>'; ++i) {
        if (std::isxdigit(static_cast<unsigned char>(text[i])))
            digits += text[i];
    }
    if (digits.size() % 2)
        digits += '0';
    std::string bytes;
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return bytes;
}

struct Reference {
    long number = -1;
    long generation = -1;
    bool operator==(const Reference&) const = default;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool SkipSpace(const std::string& text, size_t& at) {
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    return true;
}

bool ReadNumber(const std::string& text, size_t& at, long& value) {
    SkipSpace(text, at);
    const size_t start = at;
    value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && at - start < 10)
        value = value * 10 + (text[at++] - '0');
    return at > start;
}

// "12 0 obj": reads the two numbers before the keyword at `keyword`.
Reference ObjectNumberBefore(const std::string& text, size_t keyword) {
    Reference reference;
    size_t at = keyword;
    long* fields[] = {&reference.generation, &reference.number};
    for (long* field : fields) {
        const size_t end = at;
        while (at > 0 && IsSpace(text[at - 1]))
            --at;
        if (at == end)
            return {};
        const size_t digitsEnd = at;
        while (at > 0 && std::isdigit(static_cast<unsigned char>(text[at - 1])) && digitsEnd - at < 10)
            --at;
        if (at == digitsEnd)
            return {};
        *field = std::stol(text.substr(at, digitsEnd - at));
    }
    if (at > 0 && !IsSpace(text[at - 1]))
        return {};
    return reference;
}

std::string ToUtf8(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
        static_cast<unsigned char>(bytes[1]) == 0xFF) {
        std::u16string units;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                           static_cast<unsigned char>(bytes[i + 1]));
        return QString::fromStdU16String(units).toStdString();
    }
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

} // namespace

PdfInfoReader::PdfInfoReader(std::string document)
    : m_document(std::move(document)) {}

bool PdfInfoReader::IsPdf() const {
    // The header may follow up to 1024 bytes of junk.
    const size_t header = m_document.find("%PDF-");
    return header != std::string::npos && header < 1024;
}

std::string PdfInfoReader::DecodeString(const std::string& text, size_t at) {
    if (at >= text.size())
        return {};
    if (text[at] == '(')
        return ToUtf8(LiteralBytes(text, at));
    if (text[at] == '<')
        return ToUtf8(HexBytes(text, at));
    return {};
}

std::string PdfInfoReader::infoDictionary() const {
    // The last /Info reference wins: incremental updates append newer trailers.
    Reference info;
    for (size_t at = m_document.find("/Info"); at != std::string::npos;
         at = m_document.find("/Info", at + 1)) {
        Reference candidate;
        size_t cursor = at + 5;
        if (ReadNumber(m_document, cursor, candidate.number) &&
            ReadNumber(m_document, cursor, candidate.generation) && SkipSpace(m_document, cursor) &&
            cursor < m_document.size() && m_document[cursor] == 'R')
            info = candidate;
    }
    if (info.number < 0)
        return {};
    size_t start = std::string::npos;
    for (size_t at = m_document.find("obj"); at != std::string::npos; at = m_document.find("obj", at + 1)) {
        if (ObjectNumberBefore(m_document, at) == info)
            start = at + 3;
    }
    if (start == std::string::npos)
        return {};
    const size_t end = m_document.find("endobj", start);
    return m_document.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string PdfInfoReader::valueOf(const std::string& dictionary, const std::string& key) const {
    size_t at = dictionary.find("/" + key);
    if (at == std::string::npos)
        return {};
    at += key.size() + 1;
    while (at < dictionary.size() && std::isspace(static_cast<unsigned char>(dictionary[at])))
        ++at;
    return DecodeString(dictionary, at);
}

BookInfo PdfInfoReader::Read() const {
    const std::string dictionary = infoDictionary();
    return BookInfo{valueOf(dictionary, "Title"), valueOf(dictionary, "Author")};
}

} // namespace vexa::formats
