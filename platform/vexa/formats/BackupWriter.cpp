#include "formats/BackupWriter.h"

#include <chrono>
#include <ctime>

#include <QtGlobal>

#include "BackupCipher.h"
#include "FileRecordArchive.h"
#include "ManifestDatabase.h"
#include "Plist.h"
#include "ZipReader.h"

namespace vexa::formats {

namespace {

// False when the two places are on different file systems (or links are refused): the caller copies.
bool LinkFile(const std::filesystem::path& source, const std::filesystem::path& target, uint64_t& size) {
    std::error_code error;
    std::filesystem::create_hard_link(source, target, error);
    if (!error)
        size = std::filesystem::file_size(target, error);
    return !error;
}

constexpr const char* kLastBackupDate = "Last Backup Date";

// Manifest.plist's Lockdown dictionary repeats the device identity under the device's own key names.
constexpr const char* kLockdownKeys[][2] = {
    {"DeviceName", "Device Name"},         {"ProductType", "Product Type"},
    {"ProductVersion", "Product Version"}, {"BuildVersion", "Build Version"},
    {"SerialNumber", "Serial Number"},     {"UniqueDeviceID", "Unique Identifier"},
};

std::string Property(const BackupProperties& props, const std::string& key) {
    const auto found = props.info.find(key);
    return found == props.info.end() ? std::string() : found->second;
}

int64_t BackupTime(const BackupProperties& props) {
    int64_t time = 0;
    return Plist::ParseIsoTime(Property(props, kLastBackupDate), time)
               ? time
               : static_cast<int64_t>(std::time(nullptr));
}

PlistPtr InfoPlist(const BackupProperties& props) {
    PlistPtr info(plist_new_dict());
    for (const auto& [key, value] : props.info) {
        int64_t time = 0;
        if (key == kLastBackupDate && Plist::ParseIsoTime(value, time))
            plist_dict_set_item(info.get(), key.c_str(), Plist::NewDate(time));
        else
            plist_dict_set_item(info.get(), key.c_str(), plist_new_string(value.c_str()));
    }
    if (!plist_dict_get_item(info.get(), kLastBackupDate))
        plist_dict_set_item(info.get(), kLastBackupDate, Plist::NewDate(BackupTime(props)));
    if (!plist_dict_get_item(info.get(), "Target Type"))
        plist_dict_set_item(info.get(), "Target Type", plist_new_string("Device"));
    return info;
}

PlistPtr ManifestPlist(const BackupProperties& props, const BackupKeyBag* keyBag,
                       const std::vector<uint8_t>& wrappedManifestKey) {
    PlistPtr manifest(plist_new_dict());
    plist_t lockdown = plist_new_dict();
    for (const auto& [lockdownKey, infoKey] : kLockdownKeys)
        Plist::SetString(lockdown, lockdownKey, Property(props, infoKey));
    plist_dict_set_item(manifest.get(), "Version", plist_new_string("10.0"));
    plist_dict_set_item(manifest.get(), "Date", Plist::NewDate(BackupTime(props)));
    plist_dict_set_item(manifest.get(), "SystemDomainsVersion", plist_new_string("24.0"));
    plist_dict_set_item(manifest.get(), "WasPasscodeSet", plist_new_bool(0));
    plist_dict_set_item(manifest.get(), "IsEncrypted", plist_new_bool(keyBag != nullptr));
    plist_dict_set_item(manifest.get(), "Lockdown", lockdown);
    plist_dict_set_item(manifest.get(), "Applications", plist_new_dict());
    if (keyBag) {
        const std::vector<uint8_t> blob = keyBag->Serialize();
        plist_dict_set_item(manifest.get(), "BackupKeyBag",
                            plist_new_data(reinterpret_cast<const char*>(blob.data()), blob.size()));
        plist_dict_set_item(manifest.get(), "ManifestKey",
                            plist_new_data(reinterpret_cast<const char*>(wrappedManifestKey.data()),
                                           wrappedManifestKey.size()));
    }
    return manifest;
}

PlistPtr StatusPlist(const BackupProperties& props) {
    PlistPtr status(plist_new_dict());
    plist_dict_set_item(status.get(), "IsFullBackup", plist_new_bool(0));
    plist_dict_set_item(status.get(), "Version", plist_new_string("3.3"));
    plist_dict_set_item(status.get(), "BackupState", plist_new_string("new"));
    plist_dict_set_item(status.get(), "SnapshotState", plist_new_string("finished"));
    plist_dict_set_item(status.get(), "Date", Plist::NewDate(BackupTime(props)));
    Plist::SetString(status.get(), "UUID", Property(props, "GUID"));
    return status;
}

bool ValidDomain(const std::string& domain) {
    return IsSafeRelativePath(domain) && domain.find('/') == std::string::npos;
}

int CopyFile(const std::filesystem::path& from, const std::filesystem::path& to, uint64_t& size) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(from, error))
        return kBackupIoError;
    // copy_file, unlike streaming with <<, also copies an empty file without failing.
    if (!std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error))
        return kBackupIoError;
    size = std::filesystem::file_size(to, error);
    return error ? kBackupIoError : kBackupOk;
}

int64_t ModificationTime(const std::filesystem::path& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

} // namespace

BackupWriter::BackupWriter() = default;
BackupWriter::~BackupWriter() {
    if (m_open && m_keyBag) {
        // An abandoned encrypted backup leaves no readable copy of its file list behind.
        m_database.reset();
        std::error_code error;
        std::filesystem::remove(databasePath(), error);
    }
}

std::filesystem::path BackupWriter::databasePath() const {
    // An encrypted backup builds its manifest in the clear beside the final one and seals it at the end.
    return m_folder / (m_keyBag ? "Manifest.db.building" : "Manifest.db");
}

int BackupWriter::Open(const std::filesystem::path& folder, const BackupProperties& props,
                       const std::string& password) {
    try {
        if (m_open)
            return kBackupNotOpen;
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (!std::filesystem::is_directory(folder, error))
            return kBackupIoError;
        // A backup made again into the same folder replaces the old one; Status.plist goes first so the
        // folder never looks finished while it is being rewritten.
        for (const char* name : {"Status.plist", "Manifest.plist", "Info.plist", "Manifest.db"})
            std::filesystem::remove(folder / name, error);
        m_keyBag.reset();
        m_manifestKey.clear();
        if (!password.empty()) {
            m_keyBag = std::make_unique<BackupKeyBag>();
            if (const int created = m_keyBag->Create(password, m_rounds); created != kBackupOk)
                return created;
            m_manifestKey = BackupKeyBag::RandomKey();
            if (m_manifestKey.empty())
                return kBackupCryptoError;
        }
        m_folder = folder;
        std::filesystem::remove(databasePath(), error);
        m_database = std::make_unique<ManifestDatabase>();
        if (!m_database->Create(databasePath()))
            return kBackupIoError;
        m_props = props;
        m_open = true;
        return kBackupOk;
    } catch (const std::exception& error) {
        qWarning("BackupWriter::Open: %s", error.what());
        return kBackupIoError;
    }
}

int BackupWriter::storeContent(BackupFile& record, const std::string& fileId, uint64_t& plainSize,
                               bool link) const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(record.source, error))
        return kBackupIoError;
    const std::filesystem::path bucket = m_folder / fileId.substr(0, 2);
    std::filesystem::create_directories(bucket, error);
    const std::filesystem::path stored = bucket / fileId;
    int result = kBackupOk;
    if (m_keyBag) {
        const std::vector<uint8_t> fileKey = BackupKeyBag::RandomKey();
        result = fileKey.empty() ? kBackupCryptoError
                                 : m_keyBag->WrapKey(BackupKeyBag::kFileClass, fileKey, record.encryptionKey);
        if (result == kBackupOk)
            result = BackupCipher::EncryptFile(fileKey, record.source, stored, plainSize);
    } else if (!link || !LinkFile(record.source, stored, plainSize)) {
        result = CopyFile(record.source, stored, plainSize);
    }
    if (result != kBackupOk)
        std::filesystem::remove(stored, error);
    return result;
}

int BackupWriter::AddFile(const BackupFile& file) {
    StoredFile stored;
    if (const int result = StoreFile(file, stored); result != kBackupOk)
        return result;
    return AddStored(stored);
}

int BackupWriter::StoreFile(const BackupFile& file, StoredFile& stored) const {
    return store(file, stored, m_linkPlain);
}

int BackupWriter::StoreEarlier(const BackupFile& file, const std::filesystem::path& earlier,
                               StoredFile& stored) const {
    if (m_keyBag || file.IsDirectory())
        return StoreFile(file, stored);
    BackupFile linked = file;
    linked.source = earlier;
    if (linked.modified == 0)
        linked.modified = ModificationTime(file.source);
    return store(linked, stored, true);
}

int BackupWriter::store(const BackupFile& file, StoredFile& stored, bool link) const {
    try {
        if (!m_open)
            return kBackupNotOpen;
        const bool directory = file.IsDirectory();
        if (!ValidDomain(file.domain) ||
            !(IsSafeRelativePath(file.relativePath) || (directory && file.relativePath.empty())))
            return kBackupBadPath;
        stored.fileId = BackupFileId(file.domain, file.relativePath);
        stored.record = file;
        stored.plainSize = 0;
        if (!directory) {
            if (const int result = storeContent(stored.record, stored.fileId, stored.plainSize, link);
                result != kBackupOk)
                return result;
            if (stored.record.modified == 0)
                stored.record.modified = ModificationTime(file.source);
        }
        return kBackupOk;
    } catch (const std::exception& error) {
        qWarning("BackupWriter::StoreFile: %s", error.what());
        return kBackupIoError;
    }
}

int BackupWriter::AddStored(const StoredFile& stored) {
    try {
        if (!m_open)
            return kBackupNotOpen;
        const BackupFile& record = stored.record;
        const ManifestDatabase::Row row{stored.fileId, record.domain, record.relativePath,
                                        record.IsDirectory() ? ManifestDatabase::kFlagDirectory
                                                             : ManifestDatabase::kFlagFile,
                                        FileRecordArchive::Encode(record, stored.plainSize)};
        return m_database->Insert(row) ? kBackupOk : kBackupIoError;
    } catch (const std::exception& error) {
        qWarning("BackupWriter::AddStored: %s", error.what());
        return kBackupIoError;
    }
}

bool BackupWriter::WriteInfoPlist(const std::filesystem::path& folder, const BackupProperties& props) {
    return Plist::WriteXmlFile(InfoPlist(props).get(), (folder / "Info.plist").string());
}

int BackupWriter::writePlists() {
    const std::string folder = m_folder.string();
    if (!Plist::WriteXmlFile(InfoPlist(m_props).get(), folder + "/Info.plist") ||
        !Plist::WriteXmlFile(ManifestPlist(m_props, m_keyBag.get(), m_wrappedManifestKey).get(),
                             folder + "/Manifest.plist") ||
        !Plist::WriteXmlFile(StatusPlist(m_props).get(), folder + "/Status.plist"))
        return kBackupIoError;
    return kBackupOk;
}

int BackupWriter::sealManifest() {
    if (!m_keyBag)
        return kBackupOk;
    const std::filesystem::path plain = databasePath();
    uint64_t size = 0;
    int result = m_keyBag->WrapKey(BackupKeyBag::kManifestClass, m_manifestKey, m_wrappedManifestKey);
    if (result == kBackupOk)
        result = BackupCipher::EncryptFile(m_manifestKey, plain, m_folder / "Manifest.db", size);
    std::error_code error;
    std::filesystem::remove(plain, error);
    if (result != kBackupOk)
        std::filesystem::remove(m_folder / "Manifest.db", error);
    return result;
}

int BackupWriter::Finish() {
    try {
        if (!m_open)
            return kBackupNotOpen;
        const bool committed = m_database->Commit();
        m_database.reset();
        const int sealed = committed ? sealManifest() : kBackupIoError;
        m_open = false;
        return sealed == kBackupOk ? writePlists() : sealed;
    } catch (const std::exception& error) {
        qWarning("BackupWriter::Finish: %s", error.what());
        return kBackupIoError;
    }
}

} // namespace vexa::formats
