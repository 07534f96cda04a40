#include "UsbBookService.h"

#include <unordered_map>

#include <QString>

#include <vexa/VexaResult.h>

#include "UsbContentCache.h"
#include "UsbDevice.h"
#include "ios/BookListReader.h"
#include "ios/ReadResult.h"
#include "sim/content/BookStore.h"

namespace fs = std::filesystem;

namespace vexa::usb {

namespace {

constexpr const char* kBooksFolder = "/Books";

std::u16string u16(const std::string& text) {
    return QString::fromStdString(text).toStdU16String();
}

} // namespace

UsbBookService::UsbBookService(std::shared_ptr<UsbDevice> device, std::unique_ptr<IFileService> files)
    : m_device(std::move(device))
    , m_files(std::move(files)) {}

UsbBookService::~UsbBookService() = default;

int UsbBookService::GetBooks(BookRecord** records, int* count) {
    if (records == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!m_device->IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    std::lock_guard lock(m_mutex);
    UsbContentCache::Listing present;
    if (int code = UsbContentCache::Entries(*m_files, kBooksFolder, present); code != VEXA_OK) {
        return code;
    }
    auto& list = m_lists.ForCurrentThread();
    list.clear();
    int skipped = 0;
    // A phone that never held a book has no list: it has no books.
    if (present.count("Books.plist") > 0) {
        const fs::path local = UsbContentCache::FolderFor(m_device->Udid()) / "books" / "Books.plist";
        std::error_code error;
        fs::create_directories(local.parent_path(), error);
        const std::string from = std::string(kBooksFolder) + "/Books.plist";
        if (int code = m_files->CopyFileToComputer(u16(from).c_str(), u16(local.string()).c_str());
            code != VEXA_OK) {
            return code;
        }
        std::vector<ios::BookListEntry> books;
        if (const int read = ios::BookListReader::Read(local, books); read != ios::kReadOk) {
            return read == ios::kReadIoError ? VEXA_E_IO : VEXA_E_DATABASE;
        }
        list.reserve(books.size());
        for (const ios::BookListEntry& book : books) {
            // Most books lie in the Books folder itself; one further down is looked up in its folder.
            const size_t slash = book.path.rfind('/');
            UsbContentCache::Listing below;
            const UsbContentCache::Listing* folder = &present;
            if (slash != std::string::npos) {
                UsbContentCache::Entries(*m_files,
                                         std::string(kBooksFolder) + "/" + book.path.substr(0, slash), below);
                folder = &below;
            }
            const auto found =
                folder->find(slash == std::string::npos ? book.path : book.path.substr(slash + 1));
            if (found == folder->end()) {
                ++skipped;
                continue;
            }
            // An unpacked EPUB is a folder: its size is that of its files.
            const uint64_t size =
                found->second.folder
                    ? UsbContentCache::TreeSize(*m_files, std::string(kBooksFolder) + "/" + book.path)
                    : found->second.size;
            list.push_back(sim::BookStore::RecordOf(book, sim::BookStore::FormatOfName(book.path), size));
        }
    }
    m_skipped.store(skipped);
    *records = list.empty() ? nullptr : list.data();
    *count = static_cast<int>(list.size());
    return VEXA_OK;
}

} // namespace vexa::usb
