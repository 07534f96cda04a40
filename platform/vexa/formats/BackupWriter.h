#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/BackupTypes.h"

namespace vexa::formats {

class BackupCipher;
class ManifestDatabase;

// Writes a whole-device backup in the standard layout: Info.plist, Manifest.plist, Status.plist (written
// last, so an interrupted backup is recognisable), Manifest.db with the Files table, and each file stored as
// <folder>/<id[0:2]>/<id>.
//
// With a password the stored files are encrypted with our own scheme, not the device keybag: PBKDF2-SHA256
// of the password and a random salt gives an AES-256-CBC key and a verifier; Manifest.plist keeps the salt,
// iteration count and verifier under "VexaEncryption" and says "IsEncrypted". Each stored file is a random
// 16-byte IV followed by the ciphertext (PKCS#7 padding). The plists and Manifest.db stay readable.
class BackupWriter {
public:
    BackupWriter();
    ~BackupWriter();
    BackupWriter(const BackupWriter&) = delete;
    BackupWriter& operator=(const BackupWriter&) = delete;

    int Open(const std::filesystem::path& folder, const BackupProperties& props, const std::string& password);
    int AddFile(const BackupFile& file);
    int Finish();

private:
    int storeContent(const BackupFile& file, const std::string& fileId, uint64_t& plainSize);
    int writePlists();

    std::filesystem::path m_folder;
    BackupProperties m_props;
    std::unique_ptr<BackupCipher> m_cipher;
    std::unique_ptr<ManifestDatabase> m_database;
    bool m_open = false;
};

} // namespace vexa::formats
