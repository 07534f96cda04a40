#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexa::formats {
class BackupKeyBag;
class ManifestDatabase;
} // namespace vexa::formats

namespace vexa::ios {

// Whose backup it is: Info.plist, or Manifest.plist's Lockdown dictionary where Info.plist says nothing.
struct BackupIdentity {
    std::string deviceName;
    std::string productType; // "iPhone15,2"
    std::string iosVersion;  // "17.1"
    std::string buildVersion;
    std::string uniqueId; // the device's UDID
    std::string serialNumber;
    std::string phoneNumber;
    int64_t backupDate = 0; // Unix seconds, 0 when not given
    bool encrypted = false;
};

// One file or folder of a backup, as its Files row and MBFile record give it.
struct BackupEntry {
    std::string domain, relativePath;
    std::string fileId; // the stored file's name, sha1("domain-relativePath") in backups made by a phone
    uint64_t size = 0;  // plain size
    int64_t modified = 0;
    uint32_t protectionClass = 0;
    bool directory = false;
};

// An iOS backup folder: Info.plist, Manifest.plist, Manifest.db and the files stored as
// <fileId[0:2]>/<fileId>, plain or encrypted.
//
// An encrypted backup opens in two steps: Open() reads who it is of and its keybag; Unlock() derives the
// password key (the keybag's PBKDF2 rounds, seconds of work, cancellable) and decrypts Manifest.db.
// PasswordKey() hands the derived key out, so a later archive of the same backup is unlocked with
// UnlockWithKey() at once. Every call answers a ReadResult; Problem() then names what is wrong in a few
// words ("Manifest.db does not decrypt"). One thread at a time.
class BackupArchive {
public:
    BackupArchive();
    ~BackupArchive();
    BackupArchive(const BackupArchive&) = delete;
    BackupArchive& operator=(const BackupArchive&) = delete;

    int Open(const std::filesystem::path& folder);
    // kReadOk (also for a backup that is not encrypted), kReadPasswordNeeded, kReadWrongPassword,
    // kReadCancelled when `cancelled` (asked now and then) said so, kReadDamaged.
    int Unlock(const std::string& password, const std::function<bool()>& cancelled = {});
    int UnlockWithKey(const std::vector<uint8_t>& passwordKey);
    const std::vector<uint8_t>& PasswordKey() const { return m_passwordKey; }

    const BackupIdentity& Identity() const { return m_identity; }
    const std::string& Problem() const { return m_problem; }

    // kReadMissing when the backup has no such entry.
    int Find(const std::string& domain, const std::string& relativePath, BackupEntry& entry);
    // The entries of `domain` at or below `prefix` (the whole domain for an empty prefix), in path order.
    int List(const std::string& domain, const std::string& prefix, std::vector<BackupEntry>& entries);
    // Writes the plain file into `folder` under its own name, with its -wal and -shm siblings when the
    // backup has them (an older sibling left in `folder` is removed). Either all of them arrive or none.
    int CopyOut(const std::string& domain, const std::string& relativePath,
                const std::filesystem::path& folder, std::filesystem::path* copied = nullptr);
    // Writes the plain file to `to`, alone (a picture or a song, which has no siblings).
    int Extract(const std::string& domain, const std::string& relativePath, const std::filesystem::path& to);

private:
    int readPlists();
    int openManifest(const std::vector<uint8_t>& manifestKey);
    int ready();
    int fail(int result, std::string problem);
    int extract(const std::string& domain, const std::string& relativePath, const std::filesystem::path& to);

    std::filesystem::path m_folder;
    BackupIdentity m_identity;
    std::unique_ptr<formats::BackupKeyBag> m_keyBag;
    std::vector<uint8_t> m_wrappedManifestKey;
    std::vector<uint8_t> m_passwordKey;
    std::unique_ptr<formats::ManifestDatabase> m_manifest;
    std::string m_problem;
};

} // namespace vexa::ios
