#pragma once

#include <filesystem>
#include <string>

#include "formats/BookFile.h"

namespace vexa::formats {

// Reads title and author of an EPUB: META-INF/container.xml names the package document, whose Dublin Core
// dc:title and dc:creator hold them. Works on a zipped book and on an unpacked folder.
class EpubInfoReader {
public:
    static bool ReadZip(const std::filesystem::path& path, BookInfo& info);
    static bool ReadFolder(const std::filesystem::path& folder, BookInfo& info);

    // The package document's path from container.xml; empty when missing or unsafe.
    static std::string RootFile(const std::string& containerXml);
    static bool ParsePackage(const std::string& packageXml, BookInfo& info);
};

} // namespace vexa::formats
