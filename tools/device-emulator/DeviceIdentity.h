#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <openssl/ssl.h>

#include "formats/Plist.h"

namespace vexa::emulator {

struct SslContextDeleter {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
using SslContextPtr = std::unique_ptr<SSL_CTX, SslContextDeleter>;

// What the device's lockdown keeps about itself and the computers it trusts, in the simulated device's
// folder under lockdown/: its RSA key (device-key.pem) and one record per paired host
// (hosts/<HostID>.plist, the pair record the host sent, with the escrow bag the device made for it).
class DeviceIdentity {
public:
    explicit DeviceIdentity(std::filesystem::path folder);

    // The device's public key as PKCS#1 PEM, the form a host signs into the device certificate.
    std::vector<uint8_t> PublicKeyPem();

    // Keeps the pair record of a newly trusted host and answers the escrow bag made for it.
    bool AddHost(plist_t pairRecord, std::vector<uint8_t>& escrowBag);
    bool HasHost(const std::string& hostId);
    bool RemoveHost(const std::string& hostId);
    std::vector<uint8_t> EscrowBag(const std::string& hostId);

    // A TLS server context that shows the device certificate the host made for this device, with the
    // device's private key; null when the host is unknown or its record is damaged.
    SslContextPtr TlsContextFor(const std::string& hostId);

private:
    EVP_PKEY* key();
    std::filesystem::path hostFile(const std::string& hostId) const;
    formats::PlistPtr hostRecord(const std::string& hostId);

    std::filesystem::path m_folder;
    std::mutex m_mutex;
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY*)> m_key{nullptr, EVP_PKEY_free};
};

} // namespace vexa::emulator
