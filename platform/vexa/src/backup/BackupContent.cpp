#include <vexa/BackupContent.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <signal.h>
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

// The databases a backup device reads, with the domain that keeps each.
struct KnownFile {
    const char* domain;
    const char* path;
};
constexpr KnownFile kReadFiles[] = {
    {kHomeDomain, kAddressBookPath},
    {kHomeDomain, kMessagesPath},
    {kHomeDomain, kCallHistoryPath},
    {kCameraRollDomain, kPhotoLibraryPath},
};

// The iOS versions whose backups and databases this library was made for.
constexpr int kOldestKnownIos = 4;
constexpr int kNewestKnownIos = 26;

// Whether a stored file of `storedSize` bytes can hold a file of `plainSize` bytes: the same size in a
// plain backup; padded to the next whole AES block in an encrypted one.
bool StoredSizeFits(uintmax_t storedSize, uint64_t plainSize, bool encrypted) {
    if (!encrypted)
        return storedSize == plainSize;
    return plainSize == 0 || (storedSize % 16 == 0 && storedSize > plainSize && storedSize <= plainSize + 16);
}

constexpr const char* kScratchPrefix = "vexa-backup-";

// Folders of processes that ended without removing theirs (a crash, a kill) hold decrypted files: they go
// the next time a backup is read.
void RemoveLeftScratchFolders(const fs::path& base) {
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kScratchPrefix, 0) != 0)
            continue;
        const std::string rest = name.substr(std::strlen(kScratchPrefix));
        const pid_t pid = static_cast<pid_t>(std::atol(rest.c_str()));
        if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
}

// A folder of its own below the system's temporary folder, made on first use. Only this user may look
// into it: it holds decrypted copies of the backup's files.
fs::path MakeScratchFolder() {
    static std::atomic<unsigned> sequence{0};
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error)
        return {};
    RemoveLeftScratchFolders(base);
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path folder = base / (kScratchPrefix + std::to_string(::getpid()) + "-" +
                                        std::to_string(stamp) + "-" + std::to_string(sequence++));
        if (fs::create_directory(folder, error)) {
            fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
            if (!error)
                return folder;
            fs::remove(folder, error);
            return {};
        }
    }
    return {};
}

} // namespace

struct BackupContent::State {
    ios::BackupArchive archive;
    std::string folder;
    std::string problem;
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
        problem.clear();
        if (!unlocked)
            return opened ? VEXA_E_PASSWORD : VEXA_E_NOT_A_BACKUP;
        if (scratch.empty() && (scratch = MakeScratchFolder()).empty())
            return Fail(VEXA_E_IO, "no private folder for the backup's files can be made");
        ios::BackupEntry entry;
        if (const int found = archive.Find(domain, relativePath, entry); found != ios::kReadOk)
            return Fail(VexaResultOf(found), archive.Problem());
        const fs::path folder = scratch / fs::path(relativePath).parent_path().filename();
        std::error_code error;
        fs::create_directories(folder, error);
        fs::path copied;
        if (const int result = archive.CopyOut(domain, relativePath, folder, &copied); result != ios::kReadOk)
            // The backup lists the file: one that is not there is a damaged backup, not an empty one.
            return Fail(result == ios::kReadMissing ? VEXA_E_IO : VexaResultOf(result), archive.Problem());
        // The copy is this object's own: read where it is.
        const int readResult = VexaResultOf(read(copied));
        if (readResult != VEXA_OK)
            return Fail(readResult == VEXA_E_NOT_FOUND ? VEXA_E_DATABASE : readResult,
                        domain + std::string("-") + relativePath + ": the database is damaged");
        return VEXA_OK;
    }

    int Fail(int result, std::string what) {
        problem = std::move(what);
        return result;
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
                    return ios::AddressBookReader::ReadPictures(file, book,
                                                                ios::ReadOnlyDatabase::Mode::InPlace);
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
        return m_state->Fail(VEXA_E_NOT_A_BACKUP, m_state->archive.Problem());
    m_state->folder = folderUtf8;
    m_state->opened = true;
    m_state->unlocked = !m_state->archive.Identity().encrypted;
    return VEXA_OK;
}

const std::string& BackupContent::Folder() const {
    return m_state->folder;
}

BackupSummary BackupContent::Summary() const {
    const ios::BackupIdentity& identity = m_state->archive.Identity();
    BackupSummary summary;
    summary.deviceName = identity.deviceName;
    summary.productType = identity.productType;
    summary.iosVersion = identity.iosVersion;
    summary.buildVersion = identity.buildVersion;
    summary.uniqueId = identity.uniqueId;
    summary.serialNumber = identity.serialNumber;
    summary.phoneNumber = identity.phoneNumber;
    summary.backupDate = identity.backupDate;
    summary.encrypted = identity.encrypted;
    return summary;
}

bool BackupContent::KnownIosVersion() const {
    const std::string& version = m_state->archive.Identity().iosVersion;
    size_t digits = 0;
    while (digits < version.size() && version[digits] >= '0' && version[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 3 || (digits < version.size() && version[digits] != '.'))
        return false;
    const int major = std::stoi(version.substr(0, digits));
    return major >= kOldestKnownIos && major <= kNewestKnownIos;
}

const std::string& BackupContent::Problem() const {
    return m_state->problem;
}

std::vector<std::string> BackupContent::CheckFiles() {
    std::vector<std::string> problems;
    if (!m_state->unlocked)
        return problems;
    const bool encrypted = m_state->archive.Identity().encrypted;
    const fs::path folder = fs::u8path(m_state->folder);
    for (const KnownFile& file : kReadFiles) {
        ios::BackupEntry entry;
        const int found = m_state->archive.Find(file.domain, file.path, entry);
        if (found == ios::kReadMissing)
            continue; // the device kept no such file
        if (found != ios::kReadOk) {
            problems.push_back(m_state->archive.Problem());
            continue;
        }
        const std::string name = std::string(file.domain) + "-" + file.path;
        std::error_code error;
        const fs::path stored = entry.fileId.size() > 2 ? folder / entry.fileId.substr(0, 2) / entry.fileId
                                                        : folder / entry.fileId;
        const uintmax_t size = fs::file_size(stored, error);
        if (error)
            problems.push_back(name + ": the stored file is missing");
        else if (!StoredSizeFits(size, entry.size, encrypted))
            problems.push_back(name + ": the stored file's size differs from its record");
    }
    return problems;
}

bool BackupContent::Encrypted() const {
    return m_state->opened && m_state->archive.Identity().encrypted;
}

int BackupContent::Unlock(const char* passwordUtf8, const std::function<bool()>& cancelled) {
    m_state->problem.clear();
    if (!m_state->opened)
        return VEXA_E_NOT_A_BACKUP;
    if (m_state->unlocked)
        return VEXA_OK;
    if (!passwordUtf8 || !*passwordUtf8)
        return m_state->Fail(VEXA_E_PASSWORD, "the backup needs its password");
    const int result = m_state->archive.Unlock(passwordUtf8, cancelled);
    m_state->unlocked = result == ios::kReadOk;
    if (result != ios::kReadOk)
        m_state->problem = m_state->archive.Problem();
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

int BackupContent::CopyMessageAttachment(const char* pathUtf8, const char* localPathUtf8) {
    if (!pathUtf8 || !localPathUtf8 || !*localPathUtf8)
        return VEXA_E_INVALID_ARGUMENT;
    if (!m_state->unlocked)
        return m_state->opened ? VEXA_E_PASSWORD : VEXA_E_NOT_A_BACKUP;
    // The phone backs its attachments up with its media, not its home folder.
    const std::string relative = ios::MessageDatabaseReader::AttachmentHomePath(pathUtf8);
    if (relative.empty())
        return VEXA_E_NOT_FOUND;
    const fs::path local = fs::u8path(localPathUtf8);
    const int result = VexaResultOf(m_state->archive.Extract("MediaDomain", relative, local));
    if (result != VEXA_OK) {
        std::error_code ignored;
        fs::remove(local, ignored);
    }
    return result;
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

int BackupContent::CachedPhotoFile(const char* devicePathUtf8, std::string* localPathUtf8) {
    if (!localPathUtf8)
        return VEXA_E_INVALID_ARGUMENT;
    if (!m_state->unlocked)
        return m_state->opened ? VEXA_E_PASSWORD : VEXA_E_NOT_A_BACKUP;
    if (m_state->scratch.empty() && (m_state->scratch = MakeScratchFolder()).empty())
        return VEXA_E_IO;
    const fs::path relative = fs::u8path(CameraRollPath(devicePathUtf8)).lexically_normal();
    if (relative.empty() || *relative.begin() == "..")
        return VEXA_E_PATH_ESCAPE;
    const fs::path local = m_state->scratch / "camera-roll" / relative;
    std::error_code error;
    if (!fs::is_regular_file(local, error)) {
        fs::create_directories(local.parent_path(), error);
        if (const int result = CopyPhotoFile(devicePathUtf8, local.string().c_str()); result != VEXA_OK)
            return result;
    }
    *localPathUtf8 = local.string();
    return VEXA_OK;
}
