// A zipped EPUB book as the user adds it: the archive, container.xml and the package document.
#include "formats/EpubInfoReader.h"

#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(epub_zip) {
    const std::filesystem::path book = fuzz::Scratch() / "book.epub";
    fuzz::WriteFile(book, data, size);
    vexa::formats::BookInfo info;
    vexa::formats::EpubInfoReader::ReadZip(book, info);
    vexa::formats::ReadBookInfo(book, info);
    return 0;
}
