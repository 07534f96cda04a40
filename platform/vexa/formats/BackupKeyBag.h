#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vexa::formats {

// PBKDF2 rounds of the password key: first SHA-256 rounds over the password, then SHA-1 rounds over that.
struct BackupKeyRounds {
    uint32_t sha256 = 10000000;
    uint32_t sha1 = 10000;
};

// The backup keybag of Manifest.plist ("BackupKeyBag"): a list of tag, big-endian length and value
// entries. The header carries the salts and round counts from which the password key is derived; each
// protection class follows with its key wrapped (AES key wrap) under that password key. Per-file keys and
// the key of Manifest.db are in turn wrapped under a class key and stored as a little-endian class number
// followed by the 40-byte wrapped key.
class BackupKeyBag {
public:
    static constexpr size_t kKeyBytes = 32;
    static constexpr uint32_t kManifestClass = 4;
    static constexpr uint32_t kFileClass = 3;

    BackupKeyBag();
    ~BackupKeyBag();
    BackupKeyBag(const BackupKeyBag&) = delete;
    BackupKeyBag& operator=(const BackupKeyBag&) = delete;

    // A new keybag with fresh salts and class keys; kBackupOk or kBackupCryptoError.
    int Create(const std::string& password, const BackupKeyRounds& rounds);
    // Parses `blob` and unwraps its class keys with `password`: kBackupOk, kBackupDamaged,
    // kBackupUnsupported (keys bound to the device itself), kBackupPasswordNeeded or kBackupWrongPassword.
    int Unlock(const std::vector<uint8_t>& blob, const std::string& password);

    // Unlock in three steps, for a reader that derives the password key once and keeps it: Parse reads
    // the salts, rounds and wrapped class keys (kBackupOk, kBackupDamaged, kBackupUnsupported);
    // DerivePasswordKey runs the rounds, which takes seconds, and asks `cancelled` (may be empty) now and
    // then (kBackupOk, kBackupPasswordNeeded, kBackupCancelled, kBackupCryptoError); UnlockWithKey unwraps
    // the class keys (kBackupOk, kBackupWrongPassword).
    int Parse(const std::vector<uint8_t>& blob);
    int DerivePasswordKey(const std::string& password, std::vector<uint8_t>& passwordKey,
                          const std::function<bool()>& cancelled = {}) const;
    int UnlockWithKey(const std::vector<uint8_t>& passwordKey);

    std::vector<uint8_t> Serialize() const { return m_blob; }

    // `key` (32 bytes) wrapped under the class key, with the class number in front.
    int WrapKey(uint32_t protectionClass, const std::vector<uint8_t>& key,
                std::vector<uint8_t>& wrapped) const;
    // The reverse; kBackupDamaged when the class is unknown or the wrapping does not check out.
    int UnwrapKey(const std::vector<uint8_t>& wrapped, std::vector<uint8_t>& key) const;

    static std::vector<uint8_t> RandomKey();

private:
    struct Parsed;

    std::unique_ptr<Parsed> m_parsed;
    std::map<uint32_t, std::vector<uint8_t>> m_classKeys;
    std::vector<uint8_t> m_blob;
};

} // namespace vexa::formats
