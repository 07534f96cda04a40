// The phone's list of books (Media/Books/Books.plist), binary or XML.
#include "FuzzRegistry.h"
#include "ios/BookListReader.h"
#include "ios/ReadResult.h"

VEXA_FUZZ_TARGET(book_list) {
    std::vector<vexa::ios::BookListEntry> books;
    const int result = vexa::ios::BookListReader::Parse(std::vector<uint8_t>(data, data + size), books);
    if (result != vexa::ios::kReadOk && !books.empty())
        fuzz::Fail("a refused list left books behind");
    for (const auto& book : books)
        if (!vexa::ios::BookListReader::IsInsideFolder(book.path))
            fuzz::Fail("a book's path leaves the Books folder");
    return 0;
}
