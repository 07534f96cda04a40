#include "BackupArchive.h"

#include <algorithm>
#include <cctype>

#include <openssl/crypto.h>

#include "formats/BackupKeyBag.h"
#include "formats/BackupReader.h"
#include "formats/BackupTypes.h"
#include "formats/FileRecordArchive.h"
#include "formats/ManifestDatabase.h"
#include "formats/Plist.h"
#include "ios/ReadResult.h"

namespace fs = std::filesystem;
using vexa::formats::BackupFile;
using vexa::formats::ManifestDatabase;
using vexa::formats::Plist;

namespace vexa::ios {

namespace {

int ReadResultOf(int backupResult) {
    switch (backupResult) {
    case formats::kBackupOk:
        return kReadOk;
    case formats::kBackupNotABackup:
    case formats::kBackupNoSuchFile:
    case formats::kBackupMissingFile:
        return kReadMissing;
    case formats::kBackupWrongPassword:
        return kReadWrongPassword;
    case formats::kBackupPasswordNeeded:
        return kReadPasswordNeeded;
    case formats::kBackupCancelled:
        return kReadCancelled;
    case formats::kBackupIoError:
    case formats::kBackupCryptoError:
        return kReadIoError;
    default:
        return kReadDamaged;
    }
}

std::string Named(const std::string& domain, const std::string& relativePath) {
    return domain + "-" + relativePath;
}

// The record of a Files row; false when the row's archive is there but does not decode.
bool RecordOf(const ManifestDatabase::Row& row, BackupFile& record, BackupEntry& entry) {
    record.domain = row.domain;
    record.relativePath = row.relativePath;
    if (!row.file.empty() && !formats::FileRecordArchive::Decode(row.file, record))
        return false;
    entry.domain = row.domain;
    entry.relativePath = row.relativePath;
    entry.fileId = row.fileId;
    std::transform(entry.fileId.begin(), entry.fileId.end(), entry.fileId.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    entry.size = record.size;
    entry.modified = record.modified;
    entry.protectionClass = record.protectionClass;
    entry.directory = row.flags == ManifestDatabase::kFlagDirectory || record.IsDirectory();
    return true;
}

void RemoveFile(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
}

} // namespace

BackupArchive::BackupArchive() = default;

BackupArchive::~BackupArchive() {
    OPENSSL_cleanse(m_passwordKey.data(), m_passwordKey.size());
}

int BackupArchive::fail(int result, std::string problem) {
    m_problem = std::move(problem);
    return result;
}

int BackupArchive::Open(const fs::path& folder) {
    m_folder = folder;
    m_identity = BackupIdentity{};
    m_keyBag.reset();
    m_wrappedManifestKey.clear();
    OPENSSL_cleanse(m_passwordKey.data(), m_passwordKey.size());
    m_passwordKey.clear();
    m_manifest.reset();
    m_problem.clear();
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return fail(kReadMissing, "the backup folder is not there");
    if (const int plists = readPlists(); plists != kReadOk)
        return plists;
    if (!fs::is_regular_file(folder / "Manifest.db", error))
        return fail(kReadMissing, "Manifest.db is missing");
    return m_identity.encrypted ? kReadOk : openManifest({});
}

int BackupArchive::readPlists() {
    std::error_code error;
    if (!fs::is_regular_file(m_folder / "Manifest.plist", error))
        return fail(kReadMissing, "Manifest.plist is missing");
    const formats::PlistPtr manifest = Plist::ParseFile((m_folder / "Manifest.plist").string());
    if (!manifest || plist_get_node_type(manifest.get()) != PLIST_DICT)
        return fail(kReadDamaged, "Manifest.plist is damaged");
    // Info.plist is optional: Manifest.plist's Lockdown dictionary says most of the same.
    formats::PlistPtr info;
    if (fs::exists(m_folder / "Info.plist", error)) {
        info = Plist::ParseFile((m_folder / "Info.plist").string());
        if (!info || plist_get_node_type(info.get()) != PLIST_DICT)
            return fail(kReadDamaged, "Info.plist is damaged");
    }
    plist_t lockdown = Plist::Item(manifest.get(), "Lockdown", PLIST_DICT);
    auto text = [&info, lockdown](const char* infoKey, const char* lockdownKey) {
        std::string value = info ? Plist::String(info.get(), infoKey) : std::string();
        return value.empty() && lockdown ? Plist::String(lockdown, lockdownKey) : value;
    };
    m_identity.deviceName = text("Device Name", "DeviceName");
    m_identity.productType = text("Product Type", "ProductType");
    m_identity.iosVersion = text("Product Version", "ProductVersion");
    m_identity.buildVersion = text("Build Version", "BuildVersion");
    m_identity.uniqueId = text("Unique Identifier", "UniqueDeviceID");
    if (m_identity.uniqueId.empty() && info)
        m_identity.uniqueId = Plist::String(info.get(), "Target Identifier");
    m_identity.serialNumber = text("Serial Number", "SerialNumber");
    m_identity.phoneNumber = text("Phone Number", "PhoneNumber");
    plist_t date = info ? Plist::Item(info.get(), "Last Backup Date", PLIST_DATE) : nullptr;
    if (!date)
        date = Plist::Item(manifest.get(), "Date", PLIST_DATE);
    m_identity.backupDate = date ? Plist::UnixTime(date) : 0;
    m_identity.encrypted = Plist::Bool(manifest.get(), "IsEncrypted");
    if (!m_identity.encrypted)
        return kReadOk;

    m_keyBag = std::make_unique<formats::BackupKeyBag>();
    if (const int parsed = m_keyBag->Parse(Plist::Data(manifest.get(), "BackupKeyBag"));
        parsed != formats::kBackupOk) {
        m_keyBag.reset();
        return fail(kReadDamaged, parsed == formats::kBackupUnsupported
                                      ? "the keybag's keys can only be opened on the device itself"
                                      : "the keybag in Manifest.plist is damaged");
    }
    // Without a manifest key (backups of iOS before 10.2) Manifest.db itself is in the clear.
    m_wrappedManifestKey = Plist::Data(manifest.get(), "ManifestKey");
    return kReadOk;
}

int BackupArchive::openManifest(const std::vector<uint8_t>& manifestKey) {
    auto manifest = std::make_unique<ManifestDatabase>();
    const int opened = manifest->OpenStored(m_folder / "Manifest.db", manifestKey);
    if (opened != formats::kBackupOk) {
        const char* what = opened == formats::kBackupNotABackup ? "Manifest.db is missing"
                           : opened == formats::kBackupIoError  ? "Manifest.db cannot be read"
                           : manifestKey.empty()                ? "Manifest.db is damaged"
                                                                : "Manifest.db does not decrypt";
        return fail(ReadResultOf(opened), what);
    }
    m_manifest = std::move(manifest);
    return kReadOk;
}

int BackupArchive::Unlock(const std::string& password, const std::function<bool()>& cancelled) {
    m_problem.clear();
    if (!m_identity.encrypted)
        return m_manifest ? kReadOk : fail(kReadMissing, "the backup is not open");
    if (!m_keyBag)
        return fail(kReadDamaged, "the backup is not open");
    std::vector<uint8_t> passwordKey;
    const int derived = m_keyBag->DerivePasswordKey(password, passwordKey, cancelled);
    if (derived != formats::kBackupOk)
        return fail(ReadResultOf(derived),
                    derived == formats::kBackupPasswordNeeded ? "the backup needs its password"
                    : derived == formats::kBackupCancelled    ? "cancelled"
                                                              : "the key cannot be derived");
    const int result = UnlockWithKey(passwordKey);
    OPENSSL_cleanse(passwordKey.data(), passwordKey.size());
    return result;
}

int BackupArchive::UnlockWithKey(const std::vector<uint8_t>& passwordKey) {
    m_problem.clear();
    if (!m_identity.encrypted)
        return m_manifest ? kReadOk : fail(kReadMissing, "the backup is not open");
    if (!m_keyBag)
        return fail(kReadDamaged, "the backup is not open");
    if (m_keyBag->UnlockWithKey(passwordKey) != formats::kBackupOk)
        return fail(kReadWrongPassword, "the password is wrong");
    std::vector<uint8_t> manifestKey;
    if (!m_wrappedManifestKey.empty() &&
        m_keyBag->UnwrapKey(m_wrappedManifestKey, manifestKey) != formats::kBackupOk)
        return fail(kReadDamaged, "the key of Manifest.db does not unwrap");
    const int opened = openManifest(manifestKey);
    OPENSSL_cleanse(manifestKey.data(), manifestKey.size());
    if (opened == kReadOk)
        m_passwordKey = passwordKey;
    return opened;
}

int BackupArchive::ready() {
    m_problem.clear();
    if (m_manifest)
        return kReadOk;
    if (m_identity.encrypted && m_keyBag)
        return fail(kReadPasswordNeeded, "the backup is encrypted and not unlocked");
    return fail(kReadMissing, "the backup is not open");
}

int BackupArchive::Find(const std::string& domain, const std::string& relativePath, BackupEntry& entry) {
    if (const int state = ready(); state != kReadOk)
        return state;
    ManifestDatabase::Row row;
    const int found = m_manifest->FindRow(domain, relativePath, row);
    if (found != formats::kBackupOk)
        return fail(ReadResultOf(found), Named(domain, relativePath) + (found == formats::kBackupNoSuchFile
                                                                            ? " is not in the backup"
                                                                            : ": Manifest.db is damaged"));
    BackupFile record;
    if (!RecordOf(row, record, entry))
        return fail(kReadDamaged, Named(domain, relativePath) + ": its record is damaged");
    return kReadOk;
}

int BackupArchive::List(const std::string& domain, const std::string& prefix,
                        std::vector<BackupEntry>& entries) {
    entries.clear();
    if (const int state = ready(); state != kReadOk)
        return state;
    bool damaged = false;
    const bool complete = m_manifest->ForEachRowUnder(domain, prefix, [&](const ManifestDatabase::Row& row) {
        BackupFile record;
        BackupEntry entry;
        if (RecordOf(row, record, entry))
            entries.push_back(std::move(entry));
        else
            damaged = true;
    });
    if (!complete || damaged) {
        entries.clear();
        return fail(kReadDamaged,
                    complete ? Named(domain, prefix) + ": a record is damaged" : "Manifest.db is damaged");
    }
    return kReadOk;
}

int BackupArchive::extract(const std::string& domain, const std::string& relativePath, const fs::path& to) {
    ManifestDatabase::Row row;
    const int found = m_manifest->FindRow(domain, relativePath, row);
    if (found != formats::kBackupOk)
        return fail(ReadResultOf(found), Named(domain, relativePath) + (found == formats::kBackupNoSuchFile
                                                                            ? " is not in the backup"
                                                                            : ": Manifest.db is damaged"));
    BackupFile stored;
    BackupEntry entry;
    if (!RecordOf(row, stored, entry))
        return fail(kReadDamaged, Named(domain, relativePath) + ": its record is damaged");
    if (entry.directory)
        return fail(kReadDamaged, Named(domain, relativePath) + " is a folder");
    // The ID names the stored file: anything but 40 hex digits could lead out of the backup folder.
    if (entry.fileId.size() != 40 || !std::all_of(entry.fileId.begin(), entry.fileId.end(),
                                                  [](unsigned char c) { return std::isxdigit(c); }))
        return fail(kReadDamaged, Named(domain, relativePath) + ": its file ID is not valid");
    stored.source = m_folder / entry.fileId.substr(0, 2) / entry.fileId;
    // An empty file of an encrypted backup has no key and nothing to decrypt.
    const bool plain = !m_identity.encrypted || (stored.encryptionKey.empty() && stored.size == 0);
    std::string problem;
    const int result =
        formats::BackupReader::ExtractStored(plain ? nullptr : m_keyBag.get(), stored, to, &problem);
    if (result != formats::kBackupOk)
        return fail(ReadResultOf(result), Named(domain, relativePath) + ": " + problem);
    return kReadOk;
}

int BackupArchive::Extract(const std::string& domain, const std::string& relativePath, const fs::path& to) {
    if (const int state = ready(); state != kReadOk)
        return state;
    return extract(domain, relativePath, to);
}

int BackupArchive::CopyOut(const std::string& domain, const std::string& relativePath, const fs::path& folder,
                           fs::path* copied) {
    if (const int state = ready(); state != kReadOk)
        return state;
    const fs::path name = fs::path(relativePath).filename();
    if (name.empty() || name == "." || name == "..")
        return fail(kReadMissing, Named(domain, relativePath) + " is not a file");
    const fs::path target = folder / name;
    if (const int result = extract(domain, relativePath, target); result != kReadOk)
        return result;
    std::vector<fs::path> written{target};
    for (const char* suffix : {"-wal", "-shm"}) {
        fs::path sibling = target;
        sibling += suffix;
        ManifestDatabase::Row row;
        const int found = m_manifest->FindRow(domain, relativePath + suffix, row);
        int result = found == formats::kBackupOk ? extract(domain, relativePath + suffix, sibling)
                                                 : ReadResultOf(found);
        if (found == formats::kBackupNoSuchFile) {
            // A log left from an earlier copy would be replayed into this database.
            RemoveFile(sibling);
            continue;
        }
        if (result != kReadOk) {
            if (found != formats::kBackupOk)
                m_problem = "Manifest.db is damaged";
            for (const fs::path& path : written)
                RemoveFile(path);
            return result;
        }
        written.push_back(sibling);
    }
    if (copied)
        *copied = target;
    return kReadOk;
}

} // namespace vexa::ios
