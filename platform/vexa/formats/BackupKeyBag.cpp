#include "BackupKeyBag.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/params.h>
#include <openssl/rand.h>

#include "formats/BackupTypes.h"

namespace vexa::formats {

namespace {

constexpr uint32_t kKeyBagVersion = 3;
constexpr uint32_t kBackupKeyBagType = 1;
constexpr uint32_t kWrappedByDevice = 1;
constexpr uint32_t kWrappedByPassword = 2;
constexpr uint32_t kFirstClass = 1;
constexpr uint32_t kLastClass = 11;
constexpr size_t kSaltBytes = 20;
constexpr size_t kUuidBytes = 16;
constexpr size_t kWrappedBytes = BackupKeyBag::kKeyBytes + 8;
// A damaged keybag must not keep a restore busy for hours.
constexpr uint32_t kMaxRounds = 50000000;

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContextPtr = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

std::vector<uint8_t> RandomBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    if (RAND_bytes(bytes.data(), static_cast<int>(count)) != 1)
        bytes.clear();
    return bytes;
}

// AES key wrap (RFC 3394) of `in` under the 256-bit `kek`; unwrapping fails when the integrity check does.
bool KeyWrap(const std::vector<uint8_t>& kek, const std::vector<uint8_t>& in, bool wrap,
             std::vector<uint8_t>& out) {
    if (kek.size() != BackupKeyBag::kKeyBytes || in.size() < 16 || in.size() % 8 != 0)
        return false;
    CipherContextPtr context(EVP_CIPHER_CTX_new());
    if (!context)
        return false;
    EVP_CIPHER_CTX_set_flags(context.get(), EVP_CIPHER_CTX_FLAG_WRAP_ALLOW);
    if (EVP_CipherInit_ex(context.get(), EVP_aes_256_wrap(), nullptr, kek.data(), nullptr, wrap ? 1 : 0) != 1)
        return false;
    out.assign(in.size() + 16, 0);
    int produced = 0;
    int tail = 0;
    if (EVP_CipherUpdate(context.get(), out.data(), &produced, in.data(), static_cast<int>(in.size())) != 1 ||
        produced <= 0 || EVP_CipherFinal_ex(context.get(), out.data() + produced, &tail) != 1) {
        OPENSSL_cleanse(out.data(), out.size());
        out.clear();
        return false;
    }
    out.resize(static_cast<size_t>(produced + tail));
    return true;
}

struct MacDeleter {
    void operator()(EVP_MAC* mac) const { EVP_MAC_free(mac); }
};
struct MacContextDeleter {
    void operator()(EVP_MAC_CTX* context) const { EVP_MAC_CTX_free(context); }
};

// PBKDF2 (RFC 8018) into a 32-byte key. Written out rather than one call to OpenSSL so that the millions of
// rounds of a backup password can be cancelled: `cancelled` is asked every few thousand rounds.
int Pbkdf2(const void* secret, size_t secretBytes, const std::vector<uint8_t>& salt, uint32_t rounds,
           const char* digest, std::vector<uint8_t>& key, const std::function<bool()>& cancelled) {
    constexpr uint32_t kRoundsBetweenQuestions = 4096;
    std::unique_ptr<EVP_MAC, MacDeleter> mac(EVP_MAC_fetch(nullptr, "HMAC", nullptr));
    std::unique_ptr<EVP_MAC_CTX, MacContextDeleter> context(mac ? EVP_MAC_CTX_new(mac.get()) : nullptr);
    OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, const_cast<char*>(digest), 0),
        OSSL_PARAM_construct_end()};
    if (!context ||
        EVP_MAC_init(context.get(), static_cast<const unsigned char*>(secret), secretBytes, params) != 1)
        return kBackupCryptoError;
    const size_t blockBytes = EVP_MAC_CTX_get_mac_size(context.get());
    if (blockBytes == 0 || blockBytes > EVP_MAX_MD_SIZE)
        return kBackupCryptoError;
    key.assign(BackupKeyBag::kKeyBytes, 0);
    unsigned char chain[EVP_MAX_MD_SIZE], sum[EVP_MAX_MD_SIZE];
    int result = kBackupOk;
    for (uint32_t block = 1; result == kBackupOk && (block - 1) * blockBytes < key.size(); ++block) {
        const unsigned char index[4] = {
            static_cast<unsigned char>(block >> 24), static_cast<unsigned char>(block >> 16),
            static_cast<unsigned char>(block >> 8), static_cast<unsigned char>(block)};
        size_t produced = 0;
        bool ok = EVP_MAC_init(context.get(), nullptr, 0, nullptr) == 1 &&
                  EVP_MAC_update(context.get(), salt.data(), salt.size()) == 1 &&
                  EVP_MAC_update(context.get(), index, sizeof index) == 1 &&
                  EVP_MAC_final(context.get(), chain, &produced, sizeof chain) == 1;
        std::memcpy(sum, chain, blockBytes);
        for (uint32_t round = 1; ok && round < rounds; ++round) {
            // Re-initialising without a key keeps the key's prepared state: one HMAC costs two hashes.
            ok = EVP_MAC_init(context.get(), nullptr, 0, nullptr) == 1 &&
                 EVP_MAC_update(context.get(), chain, blockBytes) == 1 &&
                 EVP_MAC_final(context.get(), chain, &produced, sizeof chain) == 1;
            for (size_t i = 0; i < blockBytes; ++i)
                sum[i] ^= chain[i];
            if (round % kRoundsBetweenQuestions == 0 && cancelled && cancelled()) {
                result = kBackupCancelled;
                break;
            }
        }
        if (result == kBackupOk && !ok)
            result = kBackupCryptoError;
        const size_t at = (block - 1) * blockBytes;
        std::memcpy(key.data() + at, sum, std::min(blockBytes, key.size() - at));
    }
    OPENSSL_cleanse(chain, sizeof chain);
    OPENSSL_cleanse(sum, sizeof sum);
    if (result != kBackupOk) {
        OPENSSL_cleanse(key.data(), key.size());
        key.clear();
    }
    return result;
}

struct Header {
    std::vector<uint8_t> salt, sha256Salt;
    uint32_t sha1Rounds = 0;
    uint32_t sha256Rounds = 0;
    bool hasSha256Step = false;
};

// Without the SHA-256 step (older devices) the key is PBKDF2-SHA1 of the password alone.
int PasswordKey(const std::string& password, const Header& header, std::vector<uint8_t>& key,
                const std::function<bool()>& cancelled = {}) {
    if (!header.hasSha256Step)
        return Pbkdf2(password.data(), password.size(), header.salt, header.sha1Rounds, "SHA1", key,
                      cancelled);
    std::vector<uint8_t> first;
    int result = Pbkdf2(password.data(), password.size(), header.sha256Salt, header.sha256Rounds, "SHA256",
                        first, cancelled);
    if (result == kBackupOk)
        result = Pbkdf2(first.data(), first.size(), header.salt, header.sha1Rounds, "SHA1", key, cancelled);
    OPENSSL_cleanse(first.data(), first.size());
    return result;
}

void PutTag(std::vector<uint8_t>& blob, const char* tag, const std::vector<uint8_t>& value) {
    blob.insert(blob.end(), tag, tag + 4);
    const auto size = static_cast<uint32_t>(value.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        blob.push_back(static_cast<uint8_t>(size >> shift));
    blob.insert(blob.end(), value.begin(), value.end());
}

void PutNumber(std::vector<uint8_t>& blob, const char* tag, uint32_t number) {
    PutTag(blob, tag,
           {static_cast<uint8_t>(number >> 24), static_cast<uint8_t>(number >> 16),
            static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)});
}

struct Entry {
    std::string tag;
    std::vector<uint8_t> value;
    bool IsNumber() const { return value.size() == 4; }
    uint32_t Number() const {
        return static_cast<uint32_t>(value[0]) << 24 | static_cast<uint32_t>(value[1]) << 16 |
               static_cast<uint32_t>(value[2]) << 8 | value[3];
    }
};

bool ParseEntries(const std::vector<uint8_t>& blob, std::vector<Entry>& entries) {
    size_t at = 0;
    while (at < blob.size()) {
        if (blob.size() - at < 8)
            return false;
        const uint32_t size = static_cast<uint32_t>(blob[at + 4]) << 24 |
                              static_cast<uint32_t>(blob[at + 5]) << 16 |
                              static_cast<uint32_t>(blob[at + 6]) << 8 | blob[at + 7];
        at += 8;
        if (size > blob.size() - at)
            return false;
        entries.push_back(
            {std::string(blob.begin() + static_cast<long>(at) - 8, blob.begin() + static_cast<long>(at) - 4),
             std::vector<uint8_t>(blob.begin() + static_cast<long>(at),
                                  blob.begin() + static_cast<long>(at + size))});
        at += size;
    }
    return !entries.empty();
}

struct ClassEntry {
    uint32_t protectionClass = 0;
    uint32_t wrap = 0;
    std::vector<uint8_t> wrappedKey;
};

// Splits the entries into the header (up to the second UUID) and the class entries that follow.
bool ReadEntries(const std::vector<Entry>& entries, Header& header, std::vector<ClassEntry>& classes) {
    bool inClasses = false;
    int uuids = 0;
    for (const Entry& entry : entries) {
        if (entry.tag == "UUID" && ++uuids > 1) {
            inClasses = true;
            classes.emplace_back();
            continue;
        }
        if (inClasses) {
            ClassEntry& current = classes.back();
            if (entry.tag == "CLAS" && entry.IsNumber())
                current.protectionClass = entry.Number();
            else if (entry.tag == "WRAP" && entry.IsNumber())
                current.wrap = entry.Number();
            else if (entry.tag == "WPKY")
                current.wrappedKey = entry.value;
        } else if (entry.tag == "SALT") {
            header.salt = entry.value;
        } else if (entry.tag == "ITER" && entry.IsNumber()) {
            header.sha1Rounds = entry.Number();
        } else if (entry.tag == "DPSL") {
            header.sha256Salt = entry.value;
            header.hasSha256Step = true;
        } else if (entry.tag == "DPIC" && entry.IsNumber()) {
            header.sha256Rounds = entry.Number();
        }
    }
    const bool roundsSane =
        header.sha1Rounds > 0 && header.sha1Rounds <= kMaxRounds &&
        (!header.hasSha256Step || (header.sha256Rounds > 0 && header.sha256Rounds <= kMaxRounds));
    return !header.salt.empty() && (!header.hasSha256Step || !header.sha256Salt.empty()) && roundsSane &&
           !classes.empty();
}

} // namespace

struct BackupKeyBag::Parsed {
    Header header;
    std::vector<ClassEntry> classes;
    std::vector<uint8_t> blob;
};

BackupKeyBag::BackupKeyBag() = default;

BackupKeyBag::~BackupKeyBag() {
    for (auto& [protectionClass, key] : m_classKeys)
        OPENSSL_cleanse(key.data(), key.size());
}

std::vector<uint8_t> BackupKeyBag::RandomKey() {
    return RandomBytes(kKeyBytes);
}

int BackupKeyBag::Create(const std::string& password, const BackupKeyRounds& rounds) {
    Header header;
    header.salt = RandomBytes(kSaltBytes);
    header.sha256Salt = RandomBytes(kSaltBytes);
    header.sha1Rounds = rounds.sha1;
    header.sha256Rounds = rounds.sha256;
    header.hasSha256Step = true;
    const std::vector<uint8_t> uuid = RandomBytes(kUuidBytes);
    const std::vector<uint8_t> hmacKey = RandomKey();
    std::vector<uint8_t> passwordKey, wrappedHmacKey;
    if (header.salt.empty() || header.sha256Salt.empty() || uuid.empty() || hmacKey.empty() ||
        PasswordKey(password, header, passwordKey) != kBackupOk ||
        !KeyWrap(passwordKey, hmacKey, true, wrappedHmacKey))
        return kBackupCryptoError;

    std::vector<uint8_t> blob;
    PutNumber(blob, "VERS", kKeyBagVersion);
    PutNumber(blob, "TYPE", kBackupKeyBagType);
    PutTag(blob, "UUID", uuid);
    PutTag(blob, "HMCK", wrappedHmacKey);
    PutNumber(blob, "WRAP", kWrappedByPassword);
    PutTag(blob, "SALT", header.salt);
    PutNumber(blob, "ITER", header.sha1Rounds);
    PutNumber(blob, "DPWT", 1);
    PutNumber(blob, "DPIC", header.sha256Rounds);
    PutTag(blob, "DPSL", header.sha256Salt);
    m_classKeys.clear();
    for (uint32_t protectionClass = kFirstClass; protectionClass <= kLastClass; ++protectionClass) {
        std::vector<uint8_t> classKey = RandomKey(), wrapped;
        const std::vector<uint8_t> classUuid = RandomBytes(kUuidBytes);
        if (classKey.empty() || classUuid.empty() || !KeyWrap(passwordKey, classKey, true, wrapped))
            return kBackupCryptoError;
        PutTag(blob, "UUID", classUuid);
        PutNumber(blob, "CLAS", protectionClass);
        PutNumber(blob, "WRAP", kWrappedByPassword);
        PutNumber(blob, "KTYP", 0);
        PutTag(blob, "WPKY", wrapped);
        m_classKeys[protectionClass] = std::move(classKey);
    }
    OPENSSL_cleanse(passwordKey.data(), passwordKey.size());
    m_blob = std::move(blob);
    return kBackupOk;
}

int BackupKeyBag::Unlock(const std::vector<uint8_t>& blob, const std::string& password) {
    if (const int parsed = Parse(blob); parsed != kBackupOk)
        return parsed;
    std::vector<uint8_t> passwordKey;
    int result = DerivePasswordKey(password, passwordKey);
    if (result == kBackupOk)
        result = UnlockWithKey(passwordKey);
    OPENSSL_cleanse(passwordKey.data(), passwordKey.size());
    return result;
}

int BackupKeyBag::Parse(const std::vector<uint8_t>& blob) {
    m_classKeys.clear();
    m_parsed.reset();
    std::vector<Entry> entries;
    auto parsed = std::make_unique<Parsed>();
    if (!ParseEntries(blob, entries) || !ReadEntries(entries, parsed->header, parsed->classes))
        return kBackupDamaged;
    for (const ClassEntry& entry : parsed->classes) {
        if (entry.wrappedKey.size() != kWrappedBytes)
            return kBackupDamaged;
        if ((entry.wrap & kWrappedByDevice) != 0 || (entry.wrap & kWrappedByPassword) == 0)
            return kBackupUnsupported; // only the device itself can open such a key
    }
    parsed->blob = blob;
    m_parsed = std::move(parsed);
    return kBackupOk;
}

int BackupKeyBag::DerivePasswordKey(const std::string& password, std::vector<uint8_t>& passwordKey,
                                    const std::function<bool()>& cancelled) const {
    if (!m_parsed)
        return kBackupDamaged;
    if (password.empty())
        return kBackupPasswordNeeded;
    return PasswordKey(password, m_parsed->header, passwordKey, cancelled);
}

int BackupKeyBag::UnlockWithKey(const std::vector<uint8_t>& passwordKey) {
    m_classKeys.clear();
    if (!m_parsed)
        return kBackupDamaged;
    for (const ClassEntry& entry : m_parsed->classes) {
        std::vector<uint8_t> classKey;
        if (!KeyWrap(passwordKey, entry.wrappedKey, false, classKey)) {
            m_classKeys.clear();
            return kBackupWrongPassword; // the wrapping's integrity check fails under any other key
        }
        m_classKeys[entry.protectionClass] = std::move(classKey);
    }
    m_blob = m_parsed->blob;
    return kBackupOk;
}

int BackupKeyBag::WrapKey(uint32_t protectionClass, const std::vector<uint8_t>& key,
                          std::vector<uint8_t>& wrapped) const {
    const auto found = m_classKeys.find(protectionClass);
    std::vector<uint8_t> body;
    if (found == m_classKeys.end() || !KeyWrap(found->second, key, true, body))
        return kBackupCryptoError;
    wrapped = {static_cast<uint8_t>(protectionClass), static_cast<uint8_t>(protectionClass >> 8),
               static_cast<uint8_t>(protectionClass >> 16), static_cast<uint8_t>(protectionClass >> 24)};
    wrapped.insert(wrapped.end(), body.begin(), body.end());
    return kBackupOk;
}

int BackupKeyBag::UnwrapKey(const std::vector<uint8_t>& wrapped, std::vector<uint8_t>& key) const {
    if (wrapped.size() != 4 + kWrappedBytes)
        return kBackupDamaged;
    const uint32_t protectionClass =
        static_cast<uint32_t>(wrapped[0]) | static_cast<uint32_t>(wrapped[1]) << 8 |
        static_cast<uint32_t>(wrapped[2]) << 16 | static_cast<uint32_t>(wrapped[3]) << 24;
    const auto found = m_classKeys.find(protectionClass);
    if (found == m_classKeys.end() ||
        !KeyWrap(found->second, std::vector<uint8_t>(wrapped.begin() + 4, wrapped.end()), false, key))
        return kBackupDamaged;
    return kBackupOk;
}

} // namespace vexa::formats
