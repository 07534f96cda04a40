#pragma once

#include <QtGlobal>
#include <string>

#include "IBaseChunk.h"

class IBookService;
class IVexaManager;
struct BookRecord;

// One electronic book of the device. The common name holds the title; the store key is the device's
// own handle on the book and goes back to it on delete.
class CiBookChunk : public IBaseChunk {
public:
    // Format numbers of the record set (the device's codes are one higher).
    enum Format : int { FormatUnknown = -1, FormatPdf = 0, FormatEpub = 1, FormatEpubIBooks = 2 };

    explicit CiBookChunk(IVexaManager* manager);

    void Reset() override;
    // One "iBooks" item; the book export reads "Title", "Path" and "Format" from it.
    void Serialize(IBaseSerial* writer) override;
    bool DeleteFromDevice() override;

    // Fills the chunk from the device's fixed record; false for a record marked as not present.
    bool FromRecord(const BookRecord& record);
    // The record the device takes back for a delete: zeroed, with the chunk's fields filled in.
    void ToRecord(BookRecord& record) const;
    // Copies the book fields (not the mark or the owner) of `other`.
    void CopyFrom(const CiBookChunk& other);

    // "pdf", "epub" or empty, as exported.
    const char* FormatText() const;
    // The size text of the record: decimal digits read as a 32-bit number; anything else is 0.
    static qint64 ParseSize(const char* text, size_t capacity);

    IVexaManager* Manager() const { return m_manager; }

    std::string path;
    std::string author;
    std::string genre;
    int format = FormatUnknown;
    std::string storeKey;
    std::string spareText;
    qint64 size = 0;
    std::string spareText2;

private:
    IVexaManager* m_manager;
    IBookService* m_books;
};
