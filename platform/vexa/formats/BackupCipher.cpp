#include "BackupCipher.h"

#include <fstream>
#include <memory>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include "Plist.h"
#include "formats/BackupTypes.h"

namespace vexa::formats {

namespace {

constexpr char kSchemeKey[] = "VexaEncryption";
constexpr char kScheme[] = "PBKDF2-SHA256/AES-256-CBC";
constexpr uint64_t kIterations = 50000;
constexpr uint64_t kMaxIterations = 10000000;
constexpr size_t kSaltBytes = 16;
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

bool BackupCipher::derive(const std::string& password) {
    std::vector<uint8_t> derived(2 * kKeyBytes);
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), m_salt.data(),
                          static_cast<int>(m_salt.size()), static_cast<int>(m_iterations), EVP_sha256(),
                          static_cast<int>(derived.size()), derived.data()) != 1)
        return false;
    m_key.assign(derived.begin(), derived.begin() + kKeyBytes);
    m_verifier.assign(derived.begin() + kKeyBytes, derived.end());
    OPENSSL_cleanse(derived.data(), derived.size());
    return true;
}

int BackupCipher::Create(const std::string& password, BackupCipher& cipher) {
    cipher.m_salt.resize(kSaltBytes);
    cipher.m_iterations = kIterations;
    if (RAND_bytes(cipher.m_salt.data(), static_cast<int>(kSaltBytes)) != 1 || !cipher.derive(password))
        return kBackupCryptoError;
    return kBackupOk;
}

int BackupCipher::FromManifest(plist_t manifest, const std::string& password, BackupCipher& cipher) {
    plist_t scheme = Plist::Item(manifest, kSchemeKey, PLIST_DICT);
    if (!scheme || Plist::String(scheme, "Scheme") != kScheme)
        return kBackupUnsupported;
    cipher.m_salt = Plist::Data(scheme, "Salt");
    cipher.m_iterations = Plist::Unsigned(scheme, "Iterations");
    const std::vector<uint8_t> verifier = Plist::Data(scheme, "Verifier");
    if (cipher.m_salt.empty() || cipher.m_iterations == 0 || cipher.m_iterations > kMaxIterations ||
        verifier.size() != kKeyBytes)
        return kBackupDamaged;
    if (password.empty())
        return kBackupPasswordNeeded;
    if (!cipher.derive(password))
        return kBackupCryptoError;
    if (CRYPTO_memcmp(verifier.data(), cipher.m_verifier.data(), kKeyBytes) != 0)
        return kBackupWrongPassword;
    return kBackupOk;
}

void BackupCipher::WriteTo(plist_t manifest) const {
    plist_t scheme = plist_new_dict();
    plist_dict_set_item(scheme, "Scheme", plist_new_string(kScheme));
    plist_dict_set_item(scheme, "Salt",
                        plist_new_data(reinterpret_cast<const char*>(m_salt.data()), m_salt.size()));
    plist_dict_set_item(scheme, "Iterations", plist_new_uint(m_iterations));
    plist_dict_set_item(scheme, "Verifier",
                        plist_new_data(reinterpret_cast<const char*>(m_verifier.data()), m_verifier.size()));
    plist_dict_set_item(manifest, kSchemeKey, scheme);
}

int BackupCipher::EncryptFile(const std::filesystem::path& from, const std::filesystem::path& to,
                              uint64_t& plainSize) const {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!in || !out)
        return kBackupIoError;
    unsigned char iv[kIvBytes];
    CipherContextPtr context(EVP_CIPHER_CTX_new());
    if (RAND_bytes(iv, kIvBytes) != 1 || !context ||
        EVP_EncryptInit_ex(context.get(), EVP_aes_256_cbc(), nullptr, m_key.data(), iv) != 1)
        return kBackupCryptoError;
    out.write(reinterpret_cast<const char*>(iv), kIvBytes);
    plainSize = 0;
    return Transform(context.get(), in, out, false, plainSize);
}

int BackupCipher::DecryptFile(const std::filesystem::path& from, const std::filesystem::path& to,
                              uint64_t& plainSize) const {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return kBackupMissingFile;
    unsigned char iv[kIvBytes];
    in.read(reinterpret_cast<char*>(iv), kIvBytes);
    if (in.gcount() != static_cast<std::streamsize>(kIvBytes))
        return kBackupDamaged;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    CipherContextPtr context(EVP_CIPHER_CTX_new());
    if (!out)
        return kBackupIoError;
    if (!context || EVP_DecryptInit_ex(context.get(), EVP_aes_256_cbc(), nullptr, m_key.data(), iv) != 1)
        return kBackupCryptoError;
    plainSize = 0;
    return Transform(context.get(), in, out, true, plainSize);
}

} // namespace vexa::formats
