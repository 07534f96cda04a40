#pragma once

#include <chrono>
#include <memory>
#include <string>

#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/lockdown.h>

#include "PlistValue.h"

namespace vexa::usb {

class UsbDevice;

// What the library answers for a lockdown error: pairing errors become VEXA_E_NOT_TRUSTED, a lost
// connection VEXA_E_UNPLUGGED, a silent device VEXA_E_TIMEOUT, a garbled answer VEXA_E_PROTOCOL.
int ResultOfLockdown(lockdownd_error_t error);
// True for the errors that mean the user has still to unlock the device and tap "Trust".
bool IsTrustPending(lockdownd_error_t error);

class LockdownChannel;

// A connection to the device's lockdown service with a trusted, encrypted session. With a pairing record
// in usbmuxd the session is spoken by our own code, every answer awaited at most kAnswerLimit; a device
// not yet paired goes through libimobiledevice's handshake, which asks it to pair. Closed with the object.
class LockdownSession {
public:
    // Together with the service that follows, a silent device's call ends within ten seconds.
    static constexpr std::chrono::milliseconds kAnswerLimit{4000};

    explicit LockdownSession(const UsbDevice& device);
    ~LockdownSession();
    LockdownSession(const LockdownSession&) = delete;
    LockdownSession& operator=(const LockdownSession&) = delete;

    // VEXA_OK when the session is open; the error behind it otherwise.
    int Result() const { return m_result; }
    lockdownd_error_t Error() const { return m_error; }

    // A null key reads the whole domain (a null domain is the device's own values).
    int GetValue(const char* domain, const char* key, PlistPtr& value);
    int SetValue(const char* domain, const char* key, PlistPtr value);
    int StartService(const char* name, lockdownd_service_descriptor_t* service);
    // The certificate and key (PEM) the host shows in TLS: the pairing's root pair, as the device
    // expects from libimobiledevice's own clients.
    const std::string& ClientCertificate() const { return m_clientCertificate; }
    const std::string& ClientPrivateKey() const { return m_clientPrivateKey; }

private:
    // Pairs through libimobiledevice (the device shows "Trust This Computer?").
    void handshake(const UsbDevice& device);
    // Opens the session with the pairing record; false when the record is missing or refused.
    bool openOwnSession(const UsbDevice& device);
    // One request on our own connection and its answer, checked for an error.
    int exchange(plist_t request, PlistPtr& answer);

    int m_result;
    lockdownd_error_t m_error = LOCKDOWN_E_SUCCESS;
    idevice_t m_device = nullptr;
    lockdownd_client_t m_client = nullptr;
    std::unique_ptr<LockdownChannel> m_channel;
    std::string m_sessionId;
    std::string m_clientCertificate;
    std::string m_clientPrivateKey;
};

// A connection to the device through usbmuxd only (network connections are never used).
idevice_error_t OpenUsbDevice(const std::string& udid, idevice_t* device);

inline constexpr const char* kClientLabel = "vexa-transfer";

} // namespace vexa::usb
