// The fixed book record the device library lists: the input fills the 1005 bytes (zero-padded or
// cut), and the record becomes a book of the books page, goes back to a record for a delete, and is
// read once more.
#include <algorithm>
#include <cstring>

#include <vexa/VexaRecords.h>

#include "CiBookChunk.h"
#include "FuzzRegistry.h"
#include "QiBooksModel.h"

VEXA_FUZZ_TARGET(book_record) {
    BookRecord record{};
    std::memcpy(&record, data, std::min(size, sizeof record));
    CiBookChunk book(nullptr);
    if (!book.FromRecord(record)) {
        if (record.present != 0)
            fuzz::Fail("a present record was skipped");
        return 0;
    }
    if (book.GetName().size() > sizeof record.title || book.path.size() > sizeof record.path ||
        book.author.size() > sizeof record.author || book.storeKey.size() > sizeof record.storeKey)
        fuzz::Fail("a field ran past its width");
    if (book.format < CiBookChunk::FormatUnknown || book.format > CiBookChunk::FormatEpubIBooks)
        fuzz::Fail("a format outside the known ones");
    if (QiBooksModel::SizeText(book.size).isEmpty())
        fuzz::Fail("no size text");

    // What goes back to the device reads as the same book once it fits the record.
    BookRecord back;
    book.ToRecord(back);
    back.present = 1;
    CiBookChunk again(nullptr);
    again.FromRecord(back);
    BookRecord twice;
    again.ToRecord(twice);
    twice.present = 1;
    if (std::memcmp(&back, &twice, sizeof back) != 0)
        fuzz::Fail("a record does not survive a second round");
    if (again.size != book.size || again.format != book.format)
        fuzz::Fail("size or format changed on the way back");
    return 0;
}
