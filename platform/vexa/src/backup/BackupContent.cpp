#include <vexa/BackupContent.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include <vexa/VexaResult.h>

#include "ReadResultCode.h"
#include "ios/AddressBookReader.h"
#include "ios/BackupArchive.h"
#include "ios/CallHistoryReader.h"
#include "ios/MessageDatabaseReader.h"
#include "ios/PhotoLibraryReader.h"
#include "ios/ReadResult.h"
#include "sim/content/AddressBookNumbers.h"
#include "sim/content/ContactStore.h"
#include "sim/content/MessageStore.h"
#include "sim/content/PhotoLibraryStore.h"
#include "sim/content/SimCallHistory.h"

namespace fs = std::filesystem;
using namespace vexa;

namespace {

constexpr const char* kHomeDomain = "HomeDomain";
constexpr const char* kAddressBookPath = "Library/AddressBook/AddressBook.sqlitedb";
constexpr const char* kAddressBookImagesPath = "Library/AddressBook/AddressBookImages.sqlitedb";
constexpr const char* kMessagesPath = "Library/SMS/sms.db";
constexpr const char* kCallHistoryPath = "Library/CallHistoryDB/CallHistory.storedata";
constexpr const char* kCameraRollDomain = "CameraRollDomain";
constexpr const char* kPhotoLibraryPath = "Media/PhotoData/Photos.sqlite";

// Where a backup keeps a file of the camera roll named by its device path ("/DCIM/100APPLE/IMG_0001.JPG").
// Backups made before the camera roll had a domain of its own keep it in MediaDomain.
std::string CameraRollPath(const char* devicePathUtf8) {
    std::string path = devicePathUtf8 ? devicePathUtf8 : "";
    while (!path.empty() && path.front() == '/')
        path.erase(0, 1);
    return "Media/" + path;
}

// A folder of its own below the system's temporary folder, made on first use.
fs::path MakeScratchFolder() {
    static std::atomic<unsigned> sequence{0};
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error)
        return {};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path folder = base / ("vexa-backup-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(stamp) + "-" + std::to_string(sequence++));
        if (fs::create_directory(folder, error))
            return folder;
    }
    return {};
}

} // namespace

struct BackupContent::State {
    ios::BackupArchive archive;
    bool opened = false;
    bool unlocked = false;
    fs::path scratch;
    // The address book, read once: the contacts list it, and the messages take their names from it.
    bool bookRead = false;
    int bookResult = VEXA_OK;
    ios::AddressBook book;
    sim::ContactListBuffer contacts;
    sim::ConversationListBuffer messages;
    sim::ResultArena calls;
    sim::PhotoListBuffer photos;

    ~State() {
        if (!scratch.empty()) {
            std::error_code ignored;
            fs::remove_all(scratch, ignored);
        }
    }

    // Copies a database of the backup out and reads it with `read`.
    template <typename Read>
    int ReadCopy(const char* relativePath, Read read, const char* domain = kHomeDomain) {
        if (!unlocked)
            return opened ? VEXA_E_PASSWORD : VEXA_E_NOT_A_BACKUP;
        if (scratch.empty() && (scratch = MakeScratchFolder()).empty())
            return VEXA_E_IO;
        const fs::path folder = scratch / fs::path(relativePath).parent_path().filename();
        std::error_code error;
        fs::create_directories(folder, error);
        fs::path copied;
        if (const int result = archive.CopyOut(domain, relativePath, folder, &copied); result != ios::kReadOk)
            return VexaResultOf(result);
        // The copy is this object's own: read where it is.
        return VexaResultOf(read(copied));
    }

    int ReadBook() {
        if (!bookRead) {
            bookResult = ReadCopy(kAddressBookPath, [this](const fs::path& file) {
                return ios::AddressBookReader::Read(file, book, ios::ReadOnlyDatabase::Mode::InPlace);
            });
            // Pictures are optional: a backup without the images file, or with a damaged one, lists
            // its contacts without them.
            if (bookResult == VEXA_OK)
                ReadCopy(kAddressBookImagesPath, [this](const fs::path& file) {
                    return ios::AddressBookReader::ReadPictures(file, book, ios::ReadOnlyDatabase::Mode::InPlace);
                });
            // A damaged or missing address book is tried again on the next call, as a device's is.
            bookRead = bookResult == VEXA_OK || bookResult == VEXA_E_NOT_FOUND;
        }
        return bookResult;
    }
};

BackupContent::BackupContent()
    : m_state(std::make_unique<State>()) {}

BackupContent::~BackupContent() = default;

int BackupContent::Open(const char* folderUtf8) {
    m_state = std::make_unique<State>();
    if (!folderUtf8 || !*folderUtf8)
        return VEXA_E_INVALID_ARGUMENT;
    if (m_state->archive.Open(fs::u8path(folderUtf8)) != ios::kReadOk)
        return VEXA_E_NOT_A_BACKUP;
    m_state->opened = true;
    m_state->unlocked = !m_state->archive.Identity().encrypted;
    return VEXA_OK;
}

bool BackupContent::Encrypted() const {
    return m_state->opened && m_state->archive.Identity().encrypted;
}

int BackupContent::Unlock(const char* passwordUtf8) {
    if (!m_state->opened)
        return VEXA_E_NOT_A_BACKUP;
    if (m_state->unlocked)
        return VEXA_OK;
    if (!passwordUtf8 || !*passwordUtf8)
        return VEXA_E_PASSWORD;
    const int result = m_state->archive.Unlock(passwordUtf8);
    m_state->unlocked = result == ios::kReadOk;
    return result == ios::kReadDamaged ? VEXA_E_NOT_A_BACKUP : VexaResultOf(result);
}

int BackupContent::GetContacts(ContactList** list) {
    if (!list)
        return VEXA_E_INVALID_ARGUMENT;
    // A backup without an address book is of a device that lists no contacts.
    if (const int result = m_state->ReadBook(); result != VEXA_OK && result != VEXA_E_NOT_FOUND)
        return result;
    sim::ContactStore::ListBook(m_state->book, m_state->contacts);
    *list = &m_state->contacts.list;
    return VEXA_OK;
}

int BackupContent::GetMessages(ConversationList** list) {
    if (!list)
        return VEXA_E_INVALID_ARGUMENT;
    std::vector<ios::ChatConversation> chats;
    const int result = m_state->ReadCopy(kMessagesPath, [&chats](const fs::path& file) {
        return ios::MessageDatabaseReader().Read(file, chats, ios::ReadOnlyDatabase::Mode::InPlace);
    });
    if (result != VEXA_OK && result != VEXA_E_NOT_FOUND)
        return result;
    // Conversations kept without a name take their contact's, as on the device; without a readable
    // address book they are listed without names.
    State& state = *m_state;
    sim::MessageStore::ListChats(
        chats,
        [&state] {
            return state.ReadBook() == VEXA_OK ? sim::AddressBookNumbers(state.book)
                                               : std::vector<sim::KnownNumber>();
        },
        state.messages);
    *list = &state.messages.list;
    return VEXA_OK;
}

int BackupContent::GetCallHistory(CallHistoryList** list) {
    if (!list)
        return VEXA_E_INVALID_ARGUMENT;
    *list = nullptr;
    std::vector<ios::CallRecord> calls;
    const int result = m_state->ReadCopy(kCallHistoryPath, [&calls](const fs::path& file) {
        return ios::CallHistoryReader().Read(file, calls, ios::ReadOnlyDatabase::Mode::InPlace);
    });
    if (result != VEXA_OK && result != VEXA_E_NOT_FOUND)
        return result;
    State& state = *m_state;
    state.calls.Clear();
    *list = sim::ListCalls(
        calls,
        [&state] {
            return state.ReadBook() == VEXA_OK ? sim::AddressBookNumbers(state.book)
                                               : std::vector<sim::KnownNumber>();
        },
        state.calls);
    return VEXA_OK;
}

int BackupContent::GetPhotos(PhotoRecord** records, int* count) {
    if (!records || !count)
        return VEXA_E_INVALID_ARGUMENT;
    *records = nullptr;
    *count = 0;
    ios::PhotoLibrary library;
    const int result = m_state->ReadCopy(
        kPhotoLibraryPath,
        [&library](const fs::path& file) {
            return ios::PhotoLibraryReader::Read(file, library, ios::ReadOnlyDatabase::Mode::InPlace,
                                                 ios::PhotoLibraryReader::Parts::Assets);
        },
        kCameraRollDomain);
    if (result != VEXA_OK && result != VEXA_E_NOT_FOUND)
        return result;
    std::vector<const ios::PhotoAsset*> assets;
    assets.reserve(library.assets.size());
    for (const ios::PhotoAsset& asset : library.assets)
        assets.push_back(&asset);
    sim::FillPhotoRecords(assets, fs::path(), m_state->photos);
    // Sizes the library does not record are those the backup keeps for the files.
    for (size_t i = 0; i < assets.size(); ++i) {
        PhotoRecord& record = m_state->photos.records[i];
        ios::BackupEntry entry;
        if (assets[i]->fileSize < 0)
            record.fileSize =
                m_state->archive.Find(kCameraRollDomain, CameraRollPath(record.path), entry) == ios::kReadOk
                    ? int64_t(entry.size)
                    : 0;
    }
    *records = m_state->photos.records.data();
    *count = static_cast<int>(m_state->photos.records.size());
    return VEXA_OK;
}

bool BackupContent::HasPhotoFile(const char* devicePathUtf8) {
    ios::BackupEntry entry;
    if (!m_state->unlocked)
        return false;
    const std::string path = CameraRollPath(devicePathUtf8);
    return (m_state->archive.Find(kCameraRollDomain, path, entry) == ios::kReadOk ||
            m_state->archive.Find("MediaDomain", path, entry) == ios::kReadOk) &&
           !entry.directory;
}

int BackupContent::CopyPhotoFile(const char* devicePathUtf8, const char* localPathUtf8) {
    if (!localPathUtf8 || !*localPathUtf8)
        return VEXA_E_INVALID_ARGUMENT;
    if (!m_state->unlocked)
        return m_state->opened ? VEXA_E_PASSWORD : VEXA_E_NOT_A_BACKUP;
    const std::string path = CameraRollPath(devicePathUtf8);
    const fs::path local = fs::u8path(localPathUtf8);
    ios::BackupEntry entry;
    const char* domain = m_state->archive.Find(kCameraRollDomain, path, entry) == ios::kReadOk
                             ? kCameraRollDomain
                             : "MediaDomain";
    const int result = VexaResultOf(m_state->archive.Extract(domain, path, local));
    if (result != VEXA_OK) {
        std::error_code ignored;
        fs::remove(local, ignored);
    }
    return result;
}
