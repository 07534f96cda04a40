// An EPUB's META-INF/container.xml and its package document; the input holds both, container first,
// separated by a NUL byte.
#include "formats/EpubInfoReader.h"
#include "formats/ZipReader.h"

#include "FuzzRegistry.h"

using vexa::formats::EpubInfoReader;

VEXA_FUZZ_TARGET(epub_xml) {
    const auto [container, package] = fuzz::Split(data, size, std::string(1, '\0'));
    const std::string rootFile = EpubInfoReader::RootFile(container);
    if (!rootFile.empty() && !vexa::formats::IsSafeRelativePath(rootFile))
        fuzz::Fail("container.xml named a package outside the book");
    vexa::formats::BookInfo info;
    EpubInfoReader::ParsePackage(package, info);
    return 0;
}
