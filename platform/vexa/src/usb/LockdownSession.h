#pragma once

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

// A connection to the device's lockdown service with a trusted, encrypted session (the pairing record
// comes from usbmuxd; a device not yet paired is asked to pair). Closed with the object.
class LockdownSession {
public:
    explicit LockdownSession(const UsbDevice& device);
    ~LockdownSession();
    LockdownSession(const LockdownSession&) = delete;
    LockdownSession& operator=(const LockdownSession&) = delete;

    // VEXA_OK when the session is open; the error behind it otherwise.
    int Result() const { return m_result; }
    lockdownd_error_t Error() const { return m_error; }
    idevice_t Device() const { return m_device; }
    lockdownd_client_t Client() const { return m_client; }

    // A null key reads the whole domain (a null domain is the device's own values).
    int GetValue(const char* domain, const char* key, PlistPtr& value);
    int SetValue(const char* domain, const char* key, PlistPtr value);
    int StartService(const char* name, lockdownd_service_descriptor_t* service);

private:
    int m_result;
    lockdownd_error_t m_error = LOCKDOWN_E_SUCCESS;
    idevice_t m_device = nullptr;
    lockdownd_client_t m_client = nullptr;
};

// A connection to the device through usbmuxd only (network connections are never used).
idevice_error_t OpenUsbDevice(const std::string& udid, idevice_t* device);

inline constexpr const char* kClientLabel = "vexa-transfer";

} // namespace vexa::usb
