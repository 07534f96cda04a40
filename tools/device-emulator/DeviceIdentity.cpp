#include "DeviceIdentity.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <openssl/encoder.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>

namespace vexa::emulator {

namespace fs = std::filesystem;
using formats::Plist;
using formats::PlistPtr;

namespace {

constexpr int kKeyBits = 2048;
constexpr size_t kEscrowBagBytes = 32;

std::vector<uint8_t> bioBytes(BIO* bio) {
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    return length > 0 ? std::vector<uint8_t>(data, data + length) : std::vector<uint8_t>();
}

// A HostID comes from the client: it names a file only when it is a plain identifier.
bool isPlainId(const std::string& id) {
    if (id.empty() || id.size() > 64)
        return false;
    for (unsigned char c : id) {
        if (!std::isalnum(c) && c != '-')
            return false;
    }
    return true;
}

} // namespace

DeviceIdentity::DeviceIdentity(fs::path folder)
    : m_folder(std::move(folder)) {}

EVP_PKEY* DeviceIdentity::key() {
    if (m_key)
        return m_key.get();
    const fs::path file = m_folder / "device-key.pem";
    if (FILE* in = std::fopen(file.c_str(), "rb")) {
        m_key.reset(PEM_read_PrivateKey(in, nullptr, nullptr, nullptr));
        std::fclose(in);
    }
    if (m_key)
        return m_key.get();
    m_key.reset(EVP_RSA_gen(kKeyBits));
    if (!m_key)
        return nullptr;
    std::error_code error;
    fs::create_directories(m_folder, error);
    const fs::path temporary = file.string() + ".tmp";
    if (FILE* out = std::fopen(temporary.c_str(), "wb")) {
        const bool written =
            PEM_write_PrivateKey(out, m_key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
        std::fclose(out);
        if (written)
            fs::rename(temporary, file, error);
    }
    return m_key.get();
}

std::vector<uint8_t> DeviceIdentity::PublicKeyPem() {
    std::lock_guard lock(m_mutex);
    EVP_PKEY* pkey = key();
    if (!pkey)
        return {};
    OSSL_ENCODER_CTX* encoder =
        OSSL_ENCODER_CTX_new_for_pkey(pkey, EVP_PKEY_PUBLIC_KEY, "PEM", "type-specific", nullptr);
    BIO* bio = BIO_new(BIO_s_mem());
    std::vector<uint8_t> pem;
    if (encoder && bio && OSSL_ENCODER_to_bio(encoder, bio) == 1)
        pem = bioBytes(bio);
    BIO_free(bio);
    OSSL_ENCODER_CTX_free(encoder);
    return pem;
}

fs::path DeviceIdentity::hostFile(const std::string& hostId) const {
    return m_folder / "hosts" / (hostId + ".plist");
}

PlistPtr DeviceIdentity::hostRecord(const std::string& hostId) {
    if (!isPlainId(hostId))
        return nullptr;
    return Plist::ParseFile(hostFile(hostId).string(), 1u << 20);
}

bool DeviceIdentity::AddHost(plist_t pairRecord, std::vector<uint8_t>& escrowBag) {
    std::lock_guard lock(m_mutex);
    const std::string hostId = Plist::String(pairRecord, "HostID");
    if (!isPlainId(hostId) || Plist::Data(pairRecord, "DeviceCertificate").empty())
        return false;
    escrowBag.resize(kEscrowBagBytes);
    RAND_bytes(escrowBag.data(), static_cast<int>(escrowBag.size()));
    PlistPtr record(plist_copy(pairRecord));
    plist_dict_set_item(record.get(), "EscrowBag",
                        plist_new_data(reinterpret_cast<const char*>(escrowBag.data()), escrowBag.size()));
    std::error_code error;
    fs::create_directories(m_folder / "hosts", error);
    return Plist::WriteXmlFile(record.get(), hostFile(hostId).string());
}

bool DeviceIdentity::HasHost(const std::string& hostId) {
    std::lock_guard lock(m_mutex);
    return hostRecord(hostId) != nullptr;
}

bool DeviceIdentity::RemoveHost(const std::string& hostId) {
    std::lock_guard lock(m_mutex);
    std::error_code error;
    return isPlainId(hostId) && fs::remove(hostFile(hostId), error);
}

std::vector<uint8_t> DeviceIdentity::EscrowBag(const std::string& hostId) {
    std::lock_guard lock(m_mutex);
    const PlistPtr record = hostRecord(hostId);
    return record ? Plist::Data(record.get(), "EscrowBag") : std::vector<uint8_t>();
}

SslContextPtr DeviceIdentity::TlsContextFor(const std::string& hostId) {
    std::lock_guard lock(m_mutex);
    const PlistPtr record = hostRecord(hostId);
    EVP_PKEY* pkey = key();
    if (!record || !pkey)
        return nullptr;
    const std::vector<uint8_t> certificatePem = Plist::Data(record.get(), "DeviceCertificate");
    BIO* bio = BIO_new_mem_buf(certificatePem.data(), static_cast<int>(certificatePem.size()));
    X509* certificate = bio ? PEM_read_bio_X509(bio, nullptr, nullptr, nullptr) : nullptr;
    BIO_free(bio);
    SslContextPtr context(SSL_CTX_new(TLS_server_method()));
    // Hosts sign device certificates with whatever digest their library picked, SHA-1 included.
    if (context)
        SSL_CTX_set_security_level(context.get(), 0);
    const bool usable = context && certificate && SSL_CTX_use_certificate(context.get(), certificate) == 1 &&
                        SSL_CTX_use_PrivateKey(context.get(), pkey) == 1;
    X509_free(certificate);
    return usable ? std::move(context) : nullptr;
}

} // namespace vexa::emulator
