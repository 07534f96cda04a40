#include "CiBookChunk.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

#include <vexa/IVexaManager.h>
#include <vexa/VexaRecords.h>

#include "IBaseSerial.h"

namespace {

// Fields of the device record are NUL-terminated, but a broken record may fill one to the brim.
template <size_t N> std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// Cuts on a character boundary, so the device never reads half a UTF-8 sequence.
template <size_t N> void PutField(char (&field)[N], const std::string& text) {
    size_t length = std::min(text.size(), N - 1);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

} // namespace

CiBookChunk::CiBookChunk(IVexaManager* manager)
    : m_manager(manager)
    , m_books(manager ? manager->GetBookService() : nullptr) {}

void CiBookChunk::Reset() {
    IBaseChunk::Reset();
    path.clear();
    author.clear();
    genre.clear();
    format = FormatUnknown;
    size = 0;
}

const char* CiBookChunk::FormatText() const {
    switch (format) {
    case FormatPdf:
        return "pdf";
    case FormatEpub:
    case FormatEpubIBooks:
        return "epub";
    default:
        return "";
    }
}

void CiBookChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("iBooks", -1);
    writer->WriteString("Title", GetName().c_str());
    writer->WriteString("Path", path.c_str());
    writer->WriteString("Artist", author.c_str());
    // The field name is part of the export format that readers of older files know.
    writer->WriteString("Gerne", genre.c_str());
    writer->WriteString("Format", FormatText());
    writer->WriteInt64("Size", size);
    writer->EndItem();
}

qint64 CiBookChunk::ParseSize(const char* text, size_t capacity) {
    if (!text)
        return 0;
    bool ok = false;
    const int value = QByteArray(text, qsizetype(strnlen(text, capacity))).trimmed().toInt(&ok);
    return ok ? qint64(value) : 0;
}

bool CiBookChunk::FromRecord(const BookRecord& record) {
    if (record.present == 0)
        return false;
    SetName(FieldText(record.title));
    path = FieldText(record.path);
    author = FieldText(record.author);
    switch (record.format) {
    case BOOK_PDF:
        format = FormatPdf;
        break;
    case BOOK_EPUB:
        format = FormatEpub;
        break;
    case BOOK_EPUB_IBOOKS:
        format = FormatEpubIBooks;
        break;
    default:
        format = FormatUnknown;
        break;
    }
    size = ParseSize(record.size, sizeof record.size);
    storeKey = FieldText(record.storeKey);
    return true;
}

void CiBookChunk::ToRecord(BookRecord& record) const {
    std::memset(&record, 0, sizeof record);
    PutField(record.title, GetName());
    PutField(record.path, path);
    PutField(record.author, author);
    record.format = format >= FormatPdf && format <= FormatEpubIBooks ? format + 1 : 0;
    PutField(record.size, std::to_string(size));
    PutField(record.storeKey, storeKey);
}

void CiBookChunk::CopyFrom(const CiBookChunk& other) {
    SetName(other.GetName());
    path = other.path;
    author = other.author;
    format = other.format;
    size = other.size;
    genre = other.genre;
    storeKey = other.storeKey;
}

bool CiBookChunk::DeleteFromDevice() {
    if (!m_books)
        return false;
    BookRecord record;
    ToRecord(record);
    return m_books->DeleteBook(record) == 0;
}
