#include "BookListReader.h"

#include <fstream>
#include <system_error>

#include "ReadResult.h"
#include "formats/Plist.h"

namespace vexa::ios {

using formats::Plist;

bool BookListReader::IsInsideFolder(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.find('\0') != std::string::npos)
        return false;
    const std::filesystem::path relative(path);
    for (const auto& part : relative)
        if (part == "..")
            return false;
    return true;
}

int BookListReader::Parse(const std::vector<uint8_t>& data, std::vector<BookListEntry>& books) {
    books.clear();
    const formats::PlistPtr root = Plist::Parse(data);
    if (!root || plist_get_node_type(static_cast<plist_t>(root.get())) != PLIST_DICT)
        return kReadDamaged;
    // A list without the array holds no books; an array of another type is not such a list.
    plist_t array = plist_dict_get_item(static_cast<plist_t>(root.get()), "Books");
    if (!array)
        return kReadOk;
    if (plist_get_node_type(array) != PLIST_ARRAY)
        return kReadDamaged;
    std::vector<BookListEntry> read;
    const uint32_t count = plist_array_get_size(array);
    for (uint32_t i = 0; i < count; ++i) {
        plist_t book = plist_array_get_item(array, i);
        if (plist_get_node_type(book) != PLIST_DICT)
            continue;
        BookListEntry entry;
        entry.path = Plist::String(book, "Path");
        if (!IsInsideFolder(entry.path))
            continue;
        entry.name = Plist::String(book, "Name");
        entry.artist = Plist::String(book, "Artist");
        entry.packageHash = Plist::String(book, "Package Hash");
        entry.persistentId = Plist::String(book, "Persistent ID");
        entry.madeByIBooks = Plist::Bool(book, "Inserted-By-iBooks");
        read.push_back(std::move(entry));
    }
    books = std::move(read);
    return kReadOk;
}

int BookListReader::Read(const std::filesystem::path& file, std::vector<BookListEntry>& books) {
    books.clear();
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return error ? kReadIoError : kReadMissing;
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return kReadIoError;
    if (size > kMaxBytes)
        return kReadDamaged;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return kReadIoError;
    std::vector<uint8_t> data(size);
    if (size && !in.read(reinterpret_cast<char*>(data.data()), std::streamsize(size)))
        return kReadIoError;
    return Parse(data, books);
}

} // namespace vexa::ios
