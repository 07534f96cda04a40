#include "BookStore.h"

#include <algorithm>
#include <cstring>

#include <QByteArray>
#include <QCryptographicHash>

#include <vexa/VexaResult.h>

#include "DeviceFiles.h"
#include "PendingRemoval.h"
#include "ReadResultCode.h"
#include "formats/BookFile.h"
#include "formats/Plist.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

namespace fs = std::filesystem;
using formats::Plist;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

void CopyText(char (&field)[200], const std::string& text) {
    // Truncate on a UTF-8 character boundary so the record never ends in half a character.
    size_t length = std::min(text.size(), sizeof(field) - 1);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// 1 PDF, 2 EPUB (file or unpacked folder); 0 for anything else.
int FormatOf(const fs::path& path) {
    std::error_code error;
    const std::string suffix = Lower(path.extension().string());
    if (fs::is_directory(path, error))
        return fs::exists(path / "mimetype", error) ? BOOK_EPUB : 0;
    if (suffix == ".pdf")
        return BOOK_PDF;
    if (suffix == ".epub")
        return BOOK_EPUB;
    return 0;
}

// The phone names a book by a 32-digit package hash and a 16-digit persistent id taken from it; here
// both follow from the file's name, so that a device made twice lists the same keys.
std::string PackageHash(const std::string& fileName) {
    return QCryptographicHash::hash(QByteArray::fromStdString(fileName), QCryptographicHash::Md5)
        .toHex()
        .toUpper()
        .toStdString();
}

} // namespace

BookStore::BookStore(fs::path mediaRoot)
    : m_mediaRoot(std::move(mediaRoot)) {}

fs::path BookStore::ListFile(const fs::path& mediaRoot) {
    return mediaRoot / "Books" / "Books.plist";
}

int BookStore::Load() {
    if (m_loaded)
        return VEXA_OK;
    // A device that never had a book has no list yet.
    const int read = ios::BookListReader::Read(ListFile(m_mediaRoot), m_books);
    if (read != ios::kReadOk && read != ios::kReadMissing)
        return VexaResultOf(read);
    m_loaded = true;
    return VEXA_OK;
}

int BookStore::AddEntry(const std::string& fileName, const std::string& title, const std::string& author,
                        bool madeByIBooks) {
    if (int code = Load())
        return code;
    if (!ios::BookListReader::IsInsideFolder(fileName))
        return VEXA_E_INVALID_ARGUMENT;
    ios::BookListEntry entry;
    entry.name = title;
    entry.artist = author;
    entry.path = fileName;
    entry.packageHash = PackageHash(fileName);
    entry.persistentId = entry.packageHash.substr(0, 16);
    entry.madeByIBooks = madeByIBooks;
    m_books.push_back(std::move(entry));
    return VEXA_OK;
}

int BookStore::Add(const fs::path& local, int format, fs::path* copied) {
    if (int code = Load())
        return code;
    std::error_code error;
    if (!fs::exists(local, error))
        return VEXA_E_NOT_FOUND;
    const int detected = FormatOf(local);
    if (detected == 0)
        return VEXA_E_UNSUPPORTED;
    formats::BookInfo info;
    if (!formats::ReadBookInfo(local, info))
        return VEXA_E_UNSUPPORTED;

    const fs::path folder = m_mediaRoot / "Books";
    std::string stem = local.filename().string();
    const std::string extension = Lower(local.extension().string());
    stem = stem.substr(0, stem.size() - local.extension().string().size());
    const fs::path target = DeviceFiles::FreeName(folder, stem, extension);
    if (int code = DeviceFiles::CopyIn(local, target))
        return code;
    const int added = AddEntry(target.filename().string(), info.title.empty() ? stem : info.title,
                               info.author, format == BOOK_EPUB_IBOOKS);
    if (added != VEXA_OK) {
        DeviceFiles::Remove(target);
        return added;
    }
    if (copied)
        *copied = target;
    return VEXA_OK;
}

int BookStore::Delete(const BookRecord& record, PendingRemoval& removal) {
    if (int code = Load())
        return code;
    const std::string key(record.storeKey, strnlen(record.storeKey, sizeof record.storeKey));
    const std::string path(record.path, strnlen(record.path, sizeof record.path));
    if (key.empty() && path.empty())
        return VEXA_E_INVALID_ARGUMENT;
    const auto found = std::find_if(m_books.begin(), m_books.end(), [&](const ios::BookListEntry& book) {
        return key.empty() ? "/Books/" + book.path == path : book.persistentId == key;
    });
    if (found == m_books.end())
        return VEXA_E_NOT_FOUND;
    const fs::path file = m_mediaRoot / "Books" / found->path;
    m_books.erase(found);
    return removal.Add(file) ? VEXA_OK : VEXA_E_IO;
}

BookRecord BookStore::RecordOf(const ios::BookListEntry& book, int format, uint64_t size) {
    BookRecord record{};
    CopyText(record.title, book.name.empty() ? fs::path(book.path).stem().string() : book.name);
    record.format = book.madeByIBooks && format == BOOK_EPUB ? BOOK_EPUB_IBOOKS : format;
    CopyText(record.size, std::to_string(size));
    CopyText(record.storeKey, book.persistentId);
    record.present = 1;
    CopyText(record.author, book.artist);
    CopyText(record.path, "/Books/" + book.path);
    return record;
}

int BookStore::FormatOfName(const std::string& name) {
    const std::string suffix = Lower(fs::path(name).extension().string());
    return suffix == ".pdf" ? BOOK_PDF : suffix == ".epub" ? BOOK_EPUB : 0;
}

int BookStore::List(std::vector<BookRecord>& out) {
    out.clear();
    if (int code = Load())
        return code;
    out.reserve(m_books.size());
    for (const ios::BookListEntry& book : m_books) {
        const fs::path file = m_mediaRoot / "Books" / book.path;
        out.push_back(RecordOf(book, FormatOf(file), DeviceFiles::Size(file)));
    }
    return VEXA_OK;
}

int BookStore::Save() {
    if (int code = Load())
        return code;
    formats::PlistPtr root(plist_new_dict());
    plist_t array = plist_new_array();
    for (const ios::BookListEntry& book : m_books) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "Name", plist_new_string(book.name.c_str()));
        plist_dict_set_item(entry, "Artist", plist_new_string(book.artist.c_str()));
        plist_dict_set_item(entry, "Path", plist_new_string(book.path.c_str()));
        plist_dict_set_item(entry, "Package Hash", plist_new_string(book.packageHash.c_str()));
        plist_dict_set_item(entry, "Persistent ID", plist_new_string(book.persistentId.c_str()));
        if (book.madeByIBooks)
            plist_dict_set_item(entry, "Inserted-By-iBooks", plist_new_bool(1));
        plist_array_append_item(array, entry);
    }
    plist_dict_set_item(static_cast<plist_t>(root.get()), "Books", array);
    std::error_code error;
    fs::create_directories(ListFile(m_mediaRoot).parent_path(), error);
    return Plist::WriteXmlFile(static_cast<plist_t>(root.get()), ListFile(m_mediaRoot).string()) ? VEXA_OK
                                                                                                 : VEXA_E_IO;
}

} // namespace vexa::sim
