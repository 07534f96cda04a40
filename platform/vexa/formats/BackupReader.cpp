#include "formats/BackupReader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include <QtGlobal>

#include "BackupCipher.h"
#include "BackupKeyBag.h"
#include "FileRecordArchive.h"
#include "ManifestDatabase.h"
#include "Plist.h"
#include "ZipReader.h"

namespace vexa::formats {

namespace {

bool IsFileId(const std::string& id) {
    return id.size() == 40 &&
           std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isxdigit(c); });
}

bool AcceptableRow(const ManifestDatabase::Row& row) {
    const bool directory = row.flags == ManifestDatabase::kFlagDirectory;
    return IsFileId(row.fileId) && IsSafeRelativePath(row.domain) &&
           row.domain.find('/') == std::string::npos &&
           (IsSafeRelativePath(row.relativePath) || (directory && row.relativePath.empty()));
}

// Info.plist values as text: strings as they are, dates as ISO times, numbers in decimal.
std::map<std::string, std::string> InfoValues(plist_t info) {
    std::map<std::string, std::string> values;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(info, &iterator);
    char* key = nullptr;
    plist_t value = nullptr;
    for (plist_dict_next_item(info, iterator, &key, &value); key;
         plist_dict_next_item(info, iterator, &key, &value)) {
        const plist_type type = plist_get_node_type(value);
        if (type == PLIST_STRING) {
            values[key] = Plist::String(info, key);
        } else if (type == PLIST_DATE) {
            values[key] = Plist::IsoTime(Plist::UnixTime(value));
        } else if (type == PLIST_UINT) {
            uint64_t number = 0;
            plist_get_uint_val(value, &number);
            values[key] = std::to_string(number);
        }
        free(key);
        key = nullptr;
    }
    free(iterator);
    return values;
}

// A file that is really there, not a symbolic link: a link in a backup could lead anywhere on the
// computer, and its target must not end up on the device.
bool IsPlainFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error));
}

int CopyPlain(const std::filesystem::path& from, const std::filesystem::path& to, uint64_t& size) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(from, error))
        return kBackupMissingFile;
    // copy_file, unlike streaming with <<, also copies an empty file without failing.
    if (!std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error))
        return kBackupIoError;
    size = std::filesystem::file_size(to, error);
    return error ? kBackupIoError : kBackupOk;
}

} // namespace

BackupReader::BackupReader() = default;
BackupReader::~BackupReader() = default;

int BackupReader::Open(const std::filesystem::path& folder, const std::string& password) {
    try {
        m_open = false;
        m_folder = folder;
        m_props = BackupProperties{};
        m_files.clear();
        m_indexById.clear();
        m_keyBag.reset();
        m_manifestKey.clear();
        m_refused = 0;
        std::error_code error;
        if (!IsPlainFile(folder / "Manifest.plist") || !IsPlainFile(folder / "Manifest.db"))
            return kBackupNotABackup;
        // Info.plist may be missing (readPlists says so), but never a link.
        if (std::filesystem::is_symlink(folder / "Info.plist", error))
            return kBackupDamaged;
        if (const int plists = readPlists(password); plists != kBackupOk)
            return plists;
        if (const int manifest = readManifest(); manifest != kBackupOk)
            return manifest;
        m_open = true;
        return kBackupOk;
    } catch (const std::exception& error) {
        qWarning("BackupReader::Open: %s", error.what());
        return kBackupDamaged;
    }
}

int BackupReader::readPlists(const std::string& password) {
    const PlistPtr manifest = Plist::ParseFile((m_folder / "Manifest.plist").string());
    const PlistPtr info = Plist::ParseFile((m_folder / "Info.plist").string());
    if (!manifest || plist_get_node_type(manifest.get()) != PLIST_DICT || !info ||
        plist_get_node_type(info.get()) != PLIST_DICT)
        return kBackupDamaged;
    m_props.info = InfoValues(info.get());
    m_props.encrypted = Plist::Bool(manifest.get(), "IsEncrypted");
    if (!m_props.encrypted)
        return kBackupOk;
    auto keyBag = std::make_unique<BackupKeyBag>();
    if (const int unlocked = keyBag->Unlock(Plist::Data(manifest.get(), "BackupKeyBag"), password);
        unlocked != kBackupOk)
        return unlocked;
    // Without a manifest key (older backups) Manifest.db itself is in the clear.
    const std::vector<uint8_t> manifestKey = Plist::Data(manifest.get(), "ManifestKey");
    if (!manifestKey.empty() && keyBag->UnwrapKey(manifestKey, m_manifestKey) != kBackupOk)
        return kBackupDamaged;
    m_keyBag = std::move(keyBag);
    return kBackupOk;
}

int BackupReader::readManifest() {
    ManifestDatabase database;
    if (const int opened = database.OpenStored(m_folder / "Manifest.db", m_manifestKey); opened != kBackupOk)
        return opened;
    const bool complete = database.ForEachRow([this](const ManifestDatabase::Row& row) {
        if (!AcceptableRow(row)) {
            ++m_refused;
            return;
        }
        BackupFile file;
        file.domain = row.domain;
        file.relativePath = row.relativePath;
        file.mode = row.flags == ManifestDatabase::kFlagDirectory ? 040755 : 0100644;
        FileRecordArchive::Decode(row.file, file);
        std::string id = row.fileId;
        std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!file.IsDirectory())
            file.source = m_folder / id.substr(0, 2) / id;
        m_indexById[BackupFileId(file.domain, file.relativePath)] = m_files.size();
        m_files.push_back(std::move(file));
        if (m_readListener)
            m_readListener(m_files.size());
    });
    if (m_refused)
        qWarning("BackupReader: %zu entries with unsafe paths left out", m_refused);
    return complete ? kBackupOk : kBackupDamaged;
}

uint64_t BackupReader::TotalBytes() const {
    uint64_t total = 0;
    for (const BackupFile& file : m_files)
        total += file.size;
    return total;
}

int BackupReader::Extract(const BackupFile& file, const std::filesystem::path& to) const {
    if (!m_open)
        return kBackupNotOpen;
    const auto found = m_indexById.find(BackupFileId(file.domain, file.relativePath));
    if (found == m_indexById.end())
        return kBackupNoSuchFile;
    return ExtractStored(m_keyBag.get(), m_files[found->second], to);
}

int BackupReader::ExtractStored(const BackupKeyBag* keyBag, const BackupFile& stored,
                                const std::filesystem::path& to, std::string* problem) {
    auto fail = [problem](int result, const char* what) {
        if (problem)
            *problem = what;
        return result;
    };
    try {
        std::error_code error;
        if (stored.IsDirectory()) {
            std::filesystem::create_directories(to, error);
            return std::filesystem::is_directory(to, error)
                       ? kBackupOk
                       : fail(kBackupIoError, "the folder cannot be made");
        }
        if (std::filesystem::is_symlink(stored.source, error))
            return fail(kBackupDamaged, "the stored file is a link");
        if (!std::filesystem::is_regular_file(stored.source, error))
            return fail(kBackupMissingFile, "the stored file is missing");
        if (to.has_parent_path())
            std::filesystem::create_directories(to.parent_path(), error);
        // Written beside the target first, so a failed extraction never leaves a half file under its name.
        std::filesystem::path partial = to;
        partial += ".part";
        uint64_t size = 0;
        int result = kBackupOk;
        const char* what = nullptr;
        if (keyBag) {
            std::vector<uint8_t> fileKey;
            result = keyBag->UnwrapKey(stored.encryptionKey, fileKey);
            what = "the file's key does not unwrap";
            if (result == kBackupOk) {
                result = BackupCipher::DecryptFile(fileKey, stored.source, partial, size);
                what = result == kBackupDamaged ? "the stored file does not decrypt"
                                                : "the file cannot be written";
            }
        } else {
            result = CopyPlain(stored.source, partial, size);
            what = "the file cannot be copied";
        }
        if (result == kBackupOk && stored.size != 0 && size != stored.size) {
            result = kBackupDamaged;
            what = "the stored file's size differs from its record";
        }
        if (result == kBackupOk) {
            std::filesystem::rename(partial, to, error);
            what = "the file cannot be written";
        }
        if (result != kBackupOk || error)
            std::filesystem::remove(partial, error);
        if (result != kBackupOk)
            return fail(result, what);
        return error ? fail(kBackupIoError, what) : kBackupOk;
    } catch (const std::exception& error) {
        qWarning("BackupReader::Extract: %s", error.what());
        return fail(kBackupIoError, "the file cannot be written");
    }
}

} // namespace vexa::formats
