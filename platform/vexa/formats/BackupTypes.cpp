#include "formats/BackupTypes.h"

#include <openssl/sha.h>

namespace vexa::formats {

const char* BackupResultText(int result) {
    switch (result) {
    case kBackupOk:
        return "success";
    case kBackupNotABackup:
        return "the folder holds no backup";
    case kBackupDamaged:
        return "the backup is damaged";
    case kBackupWrongPassword:
        return "the password is wrong";
    case kBackupPasswordNeeded:
        return "the backup is encrypted and needs a password";
    case kBackupIoError:
        return "a file could not be read or written";
    case kBackupBadPath:
        return "the file's domain or path is not allowed";
    case kBackupNotOpen:
        return "the backup is not open";
    case kBackupNoSuchFile:
        return "the file is not in the backup";
    case kBackupMissingFile:
        return "the stored file is missing";
    case kBackupCryptoError:
        return "encryption failed";
    case kBackupUnsupported:
        return "the backup's encryption is not supported";
    case kBackupCancelled:
        return "cancelled";
    default:
        return "unknown error";
    }
}

std::string BackupFileId(const std::string& domain, const std::string& relativePath) {
    const std::string key = domain + "-" + relativePath;
    unsigned char digest[SHA_DIGEST_LENGTH];
    SHA1(reinterpret_cast<const unsigned char*>(key.data()), key.size(), digest);
    static const char hex[] = "0123456789abcdef";
    std::string id;
    for (unsigned char byte : digest) {
        id += hex[byte >> 4];
        id += hex[byte & 15];
    }
    return id;
}

} // namespace vexa::formats
