#include "BackupCipher.h"

#include <fstream>
#include <memory>

#include <openssl/evp.h>

#include "formats/BackupTypes.h"

namespace vexa::formats {

namespace {

constexpr size_t kKeyBytes = 32;
constexpr size_t kIvBytes = 16;
constexpr size_t kChunkBytes = 64 * 1024;

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContextPtr = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

// Streams `in` through the cipher into `out`; returns the result code.
int Transform(EVP_CIPHER_CTX* context, std::istream& in, std::ostream& out, bool decrypting,
              uint64_t& plainSize) {
    std::vector<unsigned char> input(kChunkBytes), output(kChunkBytes + EVP_MAX_BLOCK_LENGTH);
    int produced = 0;
    while (in) {
        in.read(reinterpret_cast<char*>(input.data()), static_cast<std::streamsize>(input.size()));
        const auto got = static_cast<int>(in.gcount());
        if (got == 0)
            break;
        if (!decrypting)
            plainSize += static_cast<uint64_t>(got);
        if (EVP_CipherUpdate(context, output.data(), &produced, input.data(), got) != 1)
            return kBackupCryptoError;
        out.write(reinterpret_cast<const char*>(output.data()), produced);
        if (decrypting)
            plainSize += static_cast<uint64_t>(produced);
    }
    if (in.bad())
        return kBackupIoError;
    // A failed final block means wrong padding: the stored file was cut or altered.
    if (EVP_CipherFinal_ex(context, output.data(), &produced) != 1)
        return decrypting ? kBackupDamaged : kBackupCryptoError;
    out.write(reinterpret_cast<const char*>(output.data()), produced);
    if (decrypting)
        plainSize += static_cast<uint64_t>(produced);
    out.flush();
    return out ? kBackupOk : kBackupIoError;
}

} // namespace

namespace {

int Run(const std::vector<uint8_t>& key, const std::filesystem::path& from, const std::filesystem::path& to,
        bool decrypting, uint64_t& plainSize) {
    if (key.size() != kKeyBytes)
        return kBackupCryptoError;
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return decrypting ? kBackupMissingFile : kBackupIoError;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out)
        return kBackupIoError;
    const unsigned char iv[kIvBytes] = {};
    CipherContextPtr context(EVP_CIPHER_CTX_new());
    if (!context ||
        EVP_CipherInit_ex(context.get(), EVP_aes_256_cbc(), nullptr, key.data(), iv, decrypting ? 0 : 1) != 1)
        return kBackupCryptoError;
    plainSize = 0;
    return Transform(context.get(), in, out, decrypting, plainSize);
}

} // namespace

int BackupCipher::EncryptFile(const std::vector<uint8_t>& key, const std::filesystem::path& from,
                              const std::filesystem::path& to, uint64_t& plainSize) {
    return Run(key, from, to, false, plainSize);
}

int BackupCipher::DecryptFile(const std::vector<uint8_t>& key, const std::filesystem::path& from,
                              const std::filesystem::path& to, uint64_t& plainSize) {
    return Run(key, from, to, true, plainSize);
}

} // namespace vexa::formats
