#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <plist/plist.h>

namespace vexa::formats {

// Our backup encryption: PBKDF2-SHA256(password, salt) gives 64 bytes, the first half the AES-256-CBC key,
// the second half a verifier kept in Manifest.plist so a wrong password is told apart from damage.
// Each stored file is a random IV followed by the PKCS#7-padded ciphertext.
class BackupCipher {
public:
    // A new key with a fresh random salt; 0 on success.
    static int Create(const std::string& password, BackupCipher& cipher);
    // The key described by Manifest.plist's "VexaEncryption" dictionary.
    static int FromManifest(plist_t manifest, const std::string& password, BackupCipher& cipher);

    void WriteTo(plist_t manifest) const;
    int EncryptFile(const std::filesystem::path& from, const std::filesystem::path& to,
                    uint64_t& plainSize) const;
    int DecryptFile(const std::filesystem::path& from, const std::filesystem::path& to,
                    uint64_t& plainSize) const;

private:
    bool derive(const std::string& password);

    std::vector<uint8_t> m_salt;
    uint64_t m_iterations = 0;
    std::vector<uint8_t> m_key;
    std::vector<uint8_t> m_verifier;
};

} // namespace vexa::formats
