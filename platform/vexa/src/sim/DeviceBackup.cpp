#include "DeviceBackup.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <string_view>
#include <tuple>
#include <vector>

#include <cstdio>

#include <vexa/VexaResult.h>

#include "formats/BackupReader.h"
#include "formats/BackupWriter.h"

#include "BackupFolderSwap.h"
#include "BackupHistory.h"
#include "DiscardedFolders.h"
#include "EarlierBackup.h"
#include "FileCopier.h"
#include "OrderedJobs.h"
#include "SimDevice.h"
#include "content/LegacyContent.h"

namespace fs = std::filesystem;
using vexa::formats::BackupFile;

namespace vexa::sim {

namespace {

int mapBackupResult(int result) {
    switch (result) {
    case formats::kBackupOk:
        return VEXA_OK;
    case formats::kBackupNotABackup:
    case formats::kBackupDamaged:
        return VEXA_E_NOT_A_BACKUP;
    case formats::kBackupWrongPassword:
    case formats::kBackupPasswordNeeded:
        return VEXA_E_PASSWORD;
    case formats::kBackupBadPath:
        return VEXA_E_PATH_ESCAPE;
    default:
        return VEXA_E_IO;
    }
}

std::string timeText(const char* format, bool utc) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (utc) {
        gmtime_r(&now, &parts);
    } else {
        localtime_r(&now, &parts);
    }
    char text[32];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

bool isSafeComponent(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool isUnder(const std::string& path, std::string_view folder) {
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

// The domain a phone's backup keeps a file of its home folder in: the camera roll and the photo library
// apart, message attachments with the media, the rest of Library/ in HomeDomain.
std::string homeFileDomain(const std::string& relativePath) {
    if (isUnder(relativePath, "Media/DCIM") || isUnder(relativePath, "Media/PhotoData")) {
        return "CameraRollDomain";
    }
    if (isUnder(relativePath, "Library/SMS/Attachments")) {
        return "MediaDomain";
    }
    return isUnder(relativePath, "Library") ? "HomeDomain" : "MediaDomain";
}

// Whether a restored entry belongs in the device's home folder: in the domain a backup puts it, or, for
// backups made before the camera roll had a domain of its own, anywhere below Media/ in MediaDomain.
bool isHomeFile(const std::string& domain, const std::string& relativePath) {
    if (!isUnder(relativePath, "Media") && !isUnder(relativePath, "Library")) {
        return false;
    }
    return domain == homeFileDomain(relativePath) ||
           (domain == "MediaDomain" && isUnder(relativePath, "Media"));
}

// Removes a work folder when the operation leaves, however it leaves.
class FolderGuard {
public:
    explicit FolderGuard(fs::path folder)
        : m_folder(std::move(folder)) {}
    ~FolderGuard() {
        std::error_code error;
        if (!m_folder.empty()) {
            fs::remove_all(m_folder, error);
        }
    }
    // Hands the folder to the background deleter instead: it is moved out of the device first, so the
    // device looks finished at once.
    void Discard(const fs::path& discardFolder) {
        std::error_code error;
        fs::create_directories(discardFolder, error);
        const fs::path aside = UniqueTempName(discardFolder, "discarded");
        if (std::rename(m_folder.c_str(), aside.c_str()) == 0) {
            DiscardedFolders::Discard(aside);
            m_folder.clear();
        }
    }
    FolderGuard(const FolderGuard&) = delete;
    FolderGuard& operator=(const FolderGuard&) = delete;

private:
    fs::path m_folder;
};

// The files in the order of their stored names: the files of one two-digit folder are then written one
// after another instead of scattered over all of them, which file systems create much faster.
std::vector<BackupFile> InStoredOrder(const std::vector<BackupFile>& files) {
    std::vector<std::pair<std::string, size_t>> ids;
    ids.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        ids.emplace_back(formats::BackupFileId(files[i].domain, files[i].relativePath), i);
    }
    std::sort(ids.begin(), ids.end());
    std::vector<BackupFile> ordered;
    ordered.reserve(files.size());
    for (const auto& [id, index] : ids) {
        ordered.push_back(files[index]);
    }
    return ordered;
}

// A database of the device and the consistent copy of it that goes into the backup instead.
struct DatabaseSnapshot {
    fs::path live;
    fs::path copy; // empty: the file is taken as it is
};

// Lists every entry below `root` under `prefix`, in the domain `domainOf` names for its path; links are not
// followed. A database's WAL files are left out: its snapshot already holds them.
int collectTree(SimDevice& device, const fs::path& root,
                const std::function<std::string(const std::string&)>& domainOf, const std::string& prefix,
                const std::vector<DatabaseSnapshot>& snapshots, std::vector<BackupFile>& files,
                const std::function<int(uint64_t)>& counted) {
    std::error_code error;
    fs::recursive_directory_iterator it(root, error);
    size_t seen = 0;
    for (fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        // Asking the device costs a read of its state; listing a few hundred entries between two
        // questions still notices an unplug at once, and every file copied asks again.
        if (seen++ % 256 == 0 && !device.IsConnected()) {
            return VEXA_E_UNPLUGGED;
        }
        if (int result = counted(files.size()); result != VEXA_OK) {
            return result;
        }
        const fs::path& path = it->path();
        BackupFile file;
        file.relativePath = prefix + path.lexically_relative(root).string();
        file.domain = domainOf(file.relativePath);
        std::error_code statusError;
        const auto status = it->symlink_status(statusError);
        if (fs::is_directory(status)) {
            file.mode = 040755;
        } else if (fs::is_regular_file(status)) {
            file.source = path;
            bool walFile = false;
            for (const DatabaseSnapshot& snapshot : snapshots) {
                walFile = walFile ||
                          (path.parent_path() == snapshot.live.parent_path() &&
                           path.filename().string().rfind(snapshot.live.filename().string() + "-", 0) == 0);
                if (path == snapshot.live && !snapshot.copy.empty()) {
                    file.source = snapshot.copy;
                }
            }
            if (walFile) {
                continue;
            }
            file.size = fs::file_size(file.source, statusError);
        } else {
            continue;
        }
        files.push_back(std::move(file));
    }
    return error ? VEXA_E_IO : VEXA_OK;
}

} // namespace

DeviceBackup::DeviceBackup(std::shared_ptr<SimDevice> device, BackupProgressCallback progress, void* context)
    : m_device(std::move(device))
    , m_callback(progress)
    , m_context(context) {}

int DeviceBackup::Backup(const fs::path& folder, bool full) {
    m_full = full;
    std::error_code error;
    const bool existed = fs::exists(folder, error);
    const int result = backupInto(folder);
    if (result != VEXA_OK && !existed) {
        fs::remove(folder, error); // a folder made here goes again when nothing else was put into it
    }
    return result;
}

int DeviceBackup::advance(uint64_t bytes) {
    ++m_progress.filesDone;
    m_progress.bytesDone += bytes;
    return report();
}

int DeviceBackup::counting(uint64_t files) {
    // While the files are being counted there is nothing done yet; the growing count shows the work.
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastCount < std::chrono::milliseconds(100)) {
        return VEXA_OK;
    }
    m_lastCount = now;
    m_progress = BackupProgress{0, files, 0, 0, 0, 0};
    return report();
}

int DeviceBackup::report() {
    if (m_callback != nullptr && m_callback(&m_progress, m_context) != 0) {
        return VEXA_E_CANCELLED;
    }
    return VEXA_OK;
}

int DeviceBackup::collect(const fs::path& mediaDatabaseSnapshot, const fs::path& messageDatabaseSnapshot,
                          const fs::path& addressBookSnapshot, const fs::path& photoLibrarySnapshot,
                          std::vector<BackupFile>& files) {
    auto counted = [this](uint64_t files) { return counting(files); };
    const std::vector<DatabaseSnapshot> snapshots = {
        {m_device->MediaDatabaseFile(), mediaDatabaseSnapshot},
        {m_device->MessageDatabase().File(), messageDatabaseSnapshot},
        {m_device->AddressBookFile(), addressBookSnapshot},
        {m_device->PhotoDatabase().File(), photoLibrarySnapshot}};
    if (int result = collectTree(*m_device, m_device->MediaRoot(), homeFileDomain, "Media/", snapshots, files,
                                 counted);
        result != VEXA_OK) {
        return result;
    }
    std::error_code error;
    if (fs::is_directory(m_device->LibraryRoot(), error)) {
        if (int result = collectTree(*m_device, m_device->LibraryRoot(), homeFileDomain, "Library/",
                                     snapshots, files, counted);
            result != VEXA_OK) {
            return result;
        }
    }
    for (fs::directory_iterator it(m_device->ApplicationsRoot(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string id = it->path().filename().string();
        std::error_code kindError;
        if (it->is_directory(kindError) && !it->is_symlink(kindError) && isSafeComponent(id)) {
            const std::string domain = "AppDomain-" + id;
            auto appDomain = [&domain](const std::string&) { return domain; };
            if (int result = collectTree(*m_device, it->path(), appDomain, "", {}, files, counted);
                result != VEXA_OK) {
                return result;
            }
        }
    }
    return VEXA_OK;
}

int DeviceBackup::write(const fs::path& staging, const formats::BackupProperties& properties,
                        const DeviceInfoFile& info, const std::vector<BackupFile>& files,
                        const EarlierBackup& earlier) {
    formats::BackupWriter writer;
    formats::BackupKeyRounds rounds;
    if (info.backupSha256Rounds != 0) {
        rounds.sha256 = info.backupSha256Rounds;
    }
    if (info.backupSha1Rounds != 0) {
        rounds.sha1 = info.backupSha1Rounds;
    }
    writer.SetKeyRounds(rounds);
    if (m_transient)
        writer.LinkPlainContents();
    if (int result = writer.Open(staging, properties, info.backupPassword); result != formats::kBackupOk) {
        return mapBackupResult(result);
    }
    const std::vector<BackupFile> ordered = InStoredOrder(files);
    std::vector<formats::BackupWriter::StoredFile> stored(ordered.size());
    std::vector<char> copied(ordered.size(), 0);
    // A file unchanged since the earlier backup is taken from it; the databases copied for this backup
    // are compared by content, as their copies are new each time.
    auto store = [&](size_t i) {
        const BackupFile& file = ordered[i];
        const bool snapshot = !file.source.empty() && file.source.parent_path() == m_snapshots;
        const int64_t modified = file.IsDirectory() ? 0 : EarlierBackup::ModifiedOf(file.source);
        if (const fs::path* before = earlier.Unchanged(file, modified, snapshot)) {
            BackupFile unchanged = file;
            unchanged.modified = modified;
            return writer.StoreEarlier(unchanged, *before, stored[i]);
        }
        copied[i] = !file.IsDirectory();
        return writer.StoreFile(file, stored[i]);
    };
    {
        // The contents are copied on worker threads; the manifest is written here in the files' order.
        OrderedJobs copies(ordered.size(), store);
        for (size_t i = 0; i < ordered.size(); ++i) {
            // Each file is a step the fault control can stop, like an unplug part-way through.
            if (int check = m_device->CheckCall("BackupFile"); check != VEXA_OK) {
                return check;
            }
            if (int result = copies.Wait(i); result != formats::kBackupOk) {
                return mapBackupResult(result);
            }
            if (int result = writer.AddStored(stored[i]); result != formats::kBackupOk) {
                return mapBackupResult(result);
            }
            if (copied[i]) {
                ++m_progress.filesCopied;
                m_progress.bytesCopied += ordered[i].size;
            }
            if (int result = advance(ordered[i].size); result != VEXA_OK) {
                return result;
            }
        }
    }
    return mapBackupResult(writer.Finish());
}

int DeviceBackup::backupInto(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error)) {
        return VEXA_E_IO;
    }
    const DeviceInfoFile info = m_device->Info();
    auto property = [&info](const char* name) {
        auto it = info.profile.properties.find(name);
        return it == info.profile.properties.end() ? std::string() : it->second;
    };
    formats::BackupProperties properties;
    properties.info["Device Name"] = property("DeviceName");
    properties.info["Display Name"] = property("DeviceName");
    properties.info["Product Type"] = property("ProductType");
    properties.info["Product Version"] = property("ProductVersion");
    properties.info["Serial Number"] = property("SerialNumber");
    properties.info["Unique Identifier"] = m_device->Udid();
    properties.info["GUID"] = m_device->Udid();
    properties.info["IMEI"] = property("IMEI");
    properties.info["Phone Number"] = property("PhoneNumber");
    properties.info["Build Version"] = property("BuildVersion");
    properties.info["Last Backup Date"] = timeText("%Y-%m-%dT%H:%M:%SZ", true);

    const fs::path staging = UniqueTempName(m_device->WorkFolder("staging"), "backup");
    fs::create_directories(staging, error);
    FolderGuard removeStaging(staging);
    const fs::path database = staging / "device.sqlite";
    if (int result = m_device->Database().Snapshot(database); result != VEXA_OK) {
        return result;
    }
    if (int result = BackupHistory::LeaveOut(database); result != VEXA_OK) {
        return result;
    }
    fs::path mediaDatabase;
    if (fs::exists(m_device->MediaDatabaseFile(), error)) {
        mediaDatabase = staging / "MediaLibrary.sqlitedb";
        if (int result = m_device->MediaDatabase().Snapshot(mediaDatabase); result != VEXA_OK) {
            return result;
        }
    }

    fs::path messageDatabase;
    if (fs::exists(m_device->MessageDatabase().File(), error)) {
        messageDatabase = staging / "sms.db";
        if (int result = m_device->MessageDatabase().Snapshot(messageDatabase); result != VEXA_OK) {
            return result;
        }
    }
    fs::path addressBook;
    if (fs::exists(m_device->AddressBookFile(), error)) {
        addressBook = staging / "AddressBook.sqlitedb";
        if (int result = m_device->AddressBook().Snapshot(addressBook); result != VEXA_OK) {
            return result;
        }
    }

    std::vector<BackupFile> files;
    BackupFile databaseFile;
    databaseFile.domain = kDatabaseDomain;
    databaseFile.relativePath = kDatabasePath;
    databaseFile.source = database;
    databaseFile.size = fs::file_size(database, error);
    files.push_back(databaseFile);
    fs::path photoLibrary;
    if (fs::exists(m_device->PhotoDatabase().File(), error)) {
        photoLibrary = staging / "Photos.sqlite";
        if (int result = m_device->PhotoDatabase().Snapshot(photoLibrary); result != VEXA_OK) {
            return result;
        }
    }
    if (int result = collect(mediaDatabase, messageDatabase, addressBook, photoLibrary, files);
        result != VEXA_OK) {
        return result;
    }
    uint64_t total = 0;
    for (const BackupFile& file : files) {
        total += file.size;
    }
    m_progress = BackupProgress{0, files.size(), 0, total, 0, 0};
    // The totals are known: the caller can show the work ahead before the first file is done.
    if (int result = report(); result != VEXA_OK) {
        return result;
    }

    // An encrypted backup stores each file under a new key: it is always made whole.
    const EarlierBackup earlier = m_full || !info.backupPassword.empty()
                                      ? EarlierBackup()
                                      : EarlierBackup::Read(folder, m_device->Udid());
    m_snapshots = staging;
    const fs::path target = BackupFolderSwap::MakeStaging(folder);
    if (target.empty()) {
        return VEXA_E_IO;
    }
    FolderGuard removeTarget(target);
    if (int result = write(target, properties, info, files, earlier); result != VEXA_OK) {
        return result;
    }
    if (!m_device->IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    if (int result = BackupFolderSwap::Replace(folder, target); result != VEXA_OK) {
        return result;
    }
    BackupEntry entry;
    entry.udid = m_device->Udid();
    entry.folder = fs::absolute(folder, error).lexically_normal().string();
    entry.deviceName = property("DeviceName");
    entry.dateTime = timeText("%Y-%m-%d %H:%M:%S", false);
    entry.productType = property("ProductType");
    entry.productVersion = property("ProductVersion");
    entry.serialNumber = property("SerialNumber");
    entry.encrypted = !info.backupPassword.empty();
    entry.size = total;
    return BackupHistory(m_device->Database()).Add(entry);
}

int DeviceBackup::unpack(const fs::path& folder, const std::string& password, const fs::path& staging) {
    formats::BackupReader reader;
    bool cancelled = false;
    reader.SetReadListener([&](size_t files) { cancelled = cancelled || counting(files) != VEXA_OK; });
    if (int result = reader.Open(folder, password); result != formats::kBackupOk) {
        return mapBackupResult(result);
    }
    if (cancelled) {
        return VEXA_E_CANCELLED;
    }
    std::error_code error;
    fs::create_directories(staging / "Media", error);
    fs::create_directories(staging / "Applications", error);
    std::vector<BackupFile> files = reader.Files();
    // In path order the files of one device folder are written one after another, as a copy would.
    std::sort(files.begin(), files.end(), [](const BackupFile& a, const BackupFile& b) {
        return std::tie(a.domain, a.relativePath) < std::tie(b.domain, b.relativePath);
    });
    m_progress = BackupProgress{0, files.size(), 0, reader.TotalBytes(), 0, 0};
    if (int result = report(); result != VEXA_OK) {
        return result;
    }
    // Where each file goes in the device; none for a domain this device does not keep.
    std::vector<fs::path> targets(files.size());
    bool hasDatabase = false;
    for (size_t i = 0; i < files.size(); ++i) {
        const BackupFile& file = files[i];
        const std::string& path = file.relativePath;
        if (file.domain == kDatabaseDomain && path == kDatabasePath) {
            targets[i] = staging / "device.sqlite";
            hasDatabase = true;
        } else if (isHomeFile(file.domain, path)) {
            targets[i] = staging / path;
        } else if ((file.domain == "HomeDomain" || file.domain == "MediaDomain") &&
                   (path == "Library" || path.rfind("Library/", 0) == 0)) {
            targets[i] = staging / path;
        } else if (file.domain.rfind("AppDomain-", 0) == 0 && isSafeComponent(file.domain.substr(10))) {
            targets[i] = staging / "Applications" / file.domain.substr(10) / path;
        }
    }
    // The files are unpacked on worker threads; progress and the fault control follow them in order.
    OrderedJobs extractions(files.size(), [&](size_t i) {
        if (targets[i].empty()) {
            return int(formats::kBackupOk);
        }
        if (files[i].IsDirectory()) {
            std::error_code folderError;
            fs::create_directories(targets[i], folderError);
            return folderError ? int(formats::kBackupIoError) : int(formats::kBackupOk);
        }
        return reader.Extract(files[i], targets[i]);
    });
    for (size_t i = 0; i < files.size(); ++i) {
        if (int check = m_device->CheckCall("RestoreFile"); check != VEXA_OK) {
            return check;
        }
        if (int result = extractions.Wait(i); result != formats::kBackupOk) {
            return mapBackupResult(result);
        }
        // A domain this device does not keep still counts as handled.
        const bool counted = !targets[i].empty() && !files[i].IsDirectory();
        if (int result = advance(counted ? files[i].size : 0); result != VEXA_OK) {
            return result;
        }
    }
    return hasDatabase ? VEXA_OK : VEXA_E_NOT_A_BACKUP;
}

int DeviceBackup::swapIn(const fs::path& staging, const fs::path& old) {
    // Each step moves the live entry aside and the restored one in; a failed step undoes the earlier ones.
    struct Move {
        fs::path from;
        fs::path to;
    };
    std::vector<Move> done;
    auto move = [&done](const fs::path& from, const fs::path& to) {
        std::error_code error;
        if (!fs::exists(fs::symlink_status(from, error))) {
            return true;
        }
        if (std::rename(from.c_str(), to.c_str()) != 0) {
            return false;
        }
        done.push_back({from, to});
        return true;
    };
    const fs::path device = m_device->Folder();
    std::error_code error;
    fs::create_directories(old, error);
    auto databaseLock = m_device->Database().CloseAndHold();
    auto mediaLock = m_device->MediaDatabase().CloseAndHold();
    auto messageLock = m_device->MessageDatabase().CloseAndHold();
    auto addressBookLock = m_device->AddressBook().CloseAndHold();
    auto photoLibraryLock = m_device->PhotoDatabase().CloseAndHold();
    bool ok = true;
    for (const char* name : {"Media", "Library", "Applications", "device.sqlite"}) {
        ok = ok && move(device / name, old / name) && move(staging / name, device / name);
    }
    for (const char* name : {"device.sqlite-wal", "device.sqlite-shm"}) {
        ok = ok && move(device / name, old / name);
    }
    if (!ok) {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            std::rename(it->to.c_str(), it->from.c_str());
        }
        return VEXA_E_IO;
    }
    return VEXA_OK;
}

int DeviceBackup::Restore(const fs::path& folder, const std::string& password) {
    std::vector<BackupEntry> ownBackups;
    if (int result = BackupHistory(m_device->Database()).List(m_device->Udid(), ownBackups);
        result != VEXA_OK) {
        ownBackups.clear(); // a damaged database is what a restore repairs
    }
    const fs::path work = UniqueTempName(m_device->WorkFolder("staging"), "restore");
    FolderGuard removeWork(work);
    if (int result = unpack(folder, password, work / "new"); result != VEXA_OK) {
        return result;
    }
    if (!m_device->IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    if (int result = swapIn(work / "new", work / "old"); result != VEXA_OK) {
        return result;
    }
    // The device's previous content can take seconds to delete; the restore is complete without that.
    removeWork.Discard(m_device->Folder().parent_path() / ".discarded");
    BackupHistory history(m_device->Database());
    for (const auto& entry : ownBackups) {
        history.Add(entry);
    }
    // A backup of a device made by an earlier version brings its contacts and messages in the old place;
    // a move that fails here is tried again when the device next connects.
    MoveLegacyContent(*m_device);
    return VEXA_OK;
}

} // namespace vexa::sim
