#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vexa::formats {

// Results of BackupWriter and BackupReader; 0 is success.
enum BackupResult : int {
    kBackupOk = 0,
    kBackupNotABackup = 1,     // no Manifest.plist / Manifest.db in the folder
    kBackupDamaged = 2,        // a plist or Manifest.db does not parse, or a stored file does not decrypt
    kBackupWrongPassword = 3,  // encrypted backup, password does not match the verifier
    kBackupPasswordNeeded = 4, // encrypted backup, no password given
    kBackupIoError = 5,        // a file could not be created, read or written
    kBackupBadPath = 6,        // domain or relative path empty, absolute or containing ".."
    kBackupNotOpen = 7,        // call out of order (AddFile before Open, twice Finish, ...)
    kBackupNoSuchFile = 8,     // the file is not in the manifest
    kBackupMissingFile = 9,    // in the manifest, but its stored file is gone
    kBackupCryptoError = 10,   // OpenSSL failed
    kBackupUnsupported = 11,   // encrypted with keys bound to the device itself
    kBackupCancelled = 12,     // the caller stopped the password key's derivation
};

const char* BackupResultText(int result);

struct BackupFile {
    std::string domain, relativePath;
    std::filesystem::path source; // writing: host file to store; reading: the stored (maybe encrypted) file
    int64_t mode = 0100644;       // st_mode; a directory (040000) has no source and no stored file
    uint64_t size = 0;            // reading: the plain size recorded in the manifest
    int64_t modified = 0;         // Unix time; writing: 0 takes the source's modification time
    std::vector<uint8_t> encryptionKey{}; // encrypted backups: the file's key wrapped under its class key
    uint32_t protectionClass = 0;         // reading: the record's ProtectionClass

    bool IsDirectory() const { return (mode & 0170000) == 0040000; }
};

struct BackupProperties {
    // Info.plist: "Device Name", "Display Name", "Product Type", "Product Version", "Serial Number",
    // "Unique Identifier", "GUID", "IMEI", "Phone Number", "Build Version", "Last Backup Date"
    // ("YYYY-MM-DDTHH:MM:SSZ", stored as a plist date), ...
    std::map<std::string, std::string> info;
    bool encrypted = false; // filled by the reader
};

// sha1("domain-relativePath") in lower-case hex: the stored file's name and Manifest.db's fileID.
std::string BackupFileId(const std::string& domain, const std::string& relativePath);

} // namespace vexa::formats
