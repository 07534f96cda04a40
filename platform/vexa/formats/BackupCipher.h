#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vexa::formats {

// The content cipher of an encrypted backup: AES-256-CBC with a zero IV and PKCS#7 padding, each stored
// file (and Manifest.db) under a key of its own, so the same IV never meets the same key twice.
class BackupCipher {
public:
    static int EncryptFile(const std::vector<uint8_t>& key, const std::filesystem::path& from,
                           const std::filesystem::path& to, uint64_t& plainSize);
    static int DecryptFile(const std::vector<uint8_t>& key, const std::filesystem::path& from,
                           const std::filesystem::path& to, uint64_t& plainSize);
};

} // namespace vexa::formats
