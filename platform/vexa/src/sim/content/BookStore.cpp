#include "BookStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "DeviceFiles.h"
#include "PendingRemoval.h"
#include "formats/BookFile.h"

namespace vexa::sim {

namespace fs = std::filesystem;

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

std::string StoreKey(const std::string& devicePath) {
    char key[17];
    std::snprintf(
        key, sizeof key, "%016llX",
        static_cast<unsigned long long>(std::hash<std::string>{}(devicePath)&0x7FFFFFFFFFFFFFFFULL));
    return key;
}

// 1 PDF, 2 EPUB (file or unpacked folder); 0 for anything else.
int FormatOf(const fs::path& local) {
    std::error_code error;
    const std::string suffix = Lower(local.extension().string());
    if (fs::is_directory(local, error))
        return fs::exists(local / "mimetype", error) ? BOOK_EPUB : 0;
    if (suffix == ".pdf")
        return BOOK_PDF;
    if (suffix == ".epub")
        return BOOK_EPUB;
    return 0;
}

} // namespace

BookStore::BookStore(sqlite3* db, fs::path mediaRoot)
    : m_db(db)
    , m_mediaRoot(std::move(mediaRoot)) {}

int BookStore::Add(const fs::path& local, int format) {
    std::error_code error;
    if (!fs::exists(local, error))
        return VEXA_E_NOT_FOUND;
    const int detected = FormatOf(local);
    if (detected == 0)
        return VEXA_E_UNSUPPORTED;
    formats::BookInfo info;
    if (!formats::ReadBookInfo(local, info))
        return VEXA_E_UNSUPPORTED;
    if (format == 0)
        format = detected;

    const fs::path folder = m_mediaRoot / "Books";
    std::string stem = local.filename().string();
    std::string extension = Lower(local.extension().string());
    stem = stem.substr(0, stem.size() - local.extension().string().size());
    const fs::path target = DeviceFiles::FreeName(folder, stem, extension);
    const std::string devicePath = "/" + fs::relative(target, m_mediaRoot).generic_string();

    if (int code = DeviceFiles::CopyIn(local, target))
        return code;
    Statement insert(m_db,
                     "INSERT INTO books(title, author, format, path, size, store_key) VALUES (?,?,?,?,?,?)");
    insert.Bind(1, std::string_view(info.title.empty() ? stem : info.title));
    insert.Bind(2, std::string_view(info.author)).Bind(3, format).Bind(4, std::string_view(devicePath));
    insert.Bind(5, static_cast<int64_t>(DeviceFiles::Size(target)));
    insert.Bind(6, std::string_view(StoreKey(devicePath)));
    if (int code = insert.Run()) {
        DeviceFiles::Remove(target);
        return code;
    }
    return VEXA_OK;
}

int BookStore::Delete(const BookRecord& record, PendingRemoval& removal) {
    const std::string key(record.storeKey, strnlen(record.storeKey, sizeof record.storeKey));
    const std::string path(record.path, strnlen(record.path, sizeof record.path));
    if (key.empty() && path.empty())
        return VEXA_E_INVALID_ARGUMENT;
    Statement find(m_db, key.empty() ? "SELECT id, path FROM books WHERE path = ?"
                                     : "SELECT id, path FROM books WHERE store_key = ?");
    find.Bind(1, std::string_view(key.empty() ? path : key));
    if (find.Step() != SQLITE_ROW)
        return find.Result() != VEXA_OK ? find.Result() : static_cast<int>(VEXA_E_NOT_FOUND);
    const int64_t id = find.Int(0);
    const std::string devicePath = find.Text(1);

    Statement remove(m_db, "DELETE FROM books WHERE id = ?");
    remove.Bind(1, id);
    if (int code = remove.Run())
        return code;
    return removal.Add(m_mediaRoot / devicePath.substr(1)) ? VEXA_OK : VEXA_E_IO;
}

int BookStore::List(std::vector<BookRecord>& out) {
    out.clear();
    Statement books(m_db, "SELECT title, format, size, store_key, author, path FROM books ORDER BY id");
    while (books.Step() == SQLITE_ROW) {
        BookRecord record{};
        CopyText(record.title, books.Text(0));
        record.format = static_cast<int32_t>(books.Int(1));
        CopyText(record.size, std::to_string(books.Int(2)));
        CopyText(record.storeKey, books.Text(3));
        record.present = 1;
        CopyText(record.author, books.Text(4));
        CopyText(record.path, books.Text(5));
        out.push_back(record);
    }
    return books.Result();
}

} // namespace vexa::sim
