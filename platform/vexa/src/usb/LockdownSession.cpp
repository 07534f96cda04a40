#include "LockdownSession.h"

#include <vexa/VexaResult.h>

#include "UsbDevice.h"

namespace vexa::usb {

int ResultOfLockdown(lockdownd_error_t error) {
    switch (error) {
    case LOCKDOWN_E_SUCCESS:
        return VEXA_OK;
    case LOCKDOWN_E_PASSWORD_PROTECTED:
    case LOCKDOWN_E_USER_DENIED_PAIRING:
    case LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING:
    case LOCKDOWN_E_PAIRING_FAILED:
    case LOCKDOWN_E_INVALID_HOST_ID:
    case LOCKDOWN_E_INVALID_PAIR_RECORD:
    case LOCKDOWN_E_MISSING_PAIR_RECORD:
        return VEXA_E_NOT_TRUSTED;
    case LOCKDOWN_E_MUX_ERROR:
    case LOCKDOWN_E_SSL_ERROR:
        return VEXA_E_UNPLUGGED;
    case LOCKDOWN_E_RECEIVE_TIMEOUT:
        return VEXA_E_TIMEOUT;
    case LOCKDOWN_E_PLIST_ERROR:
    case LOCKDOWN_E_DICT_ERROR:
    case LOCKDOWN_E_INVALID_RESPONSE:
        return VEXA_E_PROTOCOL;
    case LOCKDOWN_E_INVALID_ARG:
        return VEXA_E_INVALID_ARGUMENT;
    case LOCKDOWN_E_MISSING_KEY:
    case LOCKDOWN_E_MISSING_VALUE:
    case LOCKDOWN_E_INVALID_SERVICE:
    case LOCKDOWN_E_MISSING_SERVICE:
        return VEXA_E_NOT_FOUND;
    case LOCKDOWN_E_SERVICE_PROHIBITED:
    case LOCKDOWN_E_SET_PROHIBITED:
    case LOCKDOWN_E_GET_PROHIBITED:
        return VEXA_E_PROTECTED;
    default:
        return VEXA_E_IO;
    }
}

bool IsTrustPending(lockdownd_error_t error) {
    return error == LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING || error == LOCKDOWN_E_PASSWORD_PROTECTED;
}

idevice_error_t OpenUsbDevice(const std::string& udid, idevice_t* device) {
    return idevice_new_with_options(device, udid.c_str(), IDEVICE_LOOKUP_USBMUX);
}

LockdownSession::LockdownSession(const UsbDevice& device)
    : m_result(VEXA_E_UNPLUGGED) {
    if (!device.IsConnected() || OpenUsbDevice(device.Udid(), &m_device) != IDEVICE_E_SUCCESS) {
        m_device = nullptr;
        return;
    }
    m_error = lockdownd_client_new_with_handshake(m_device, &m_client, kClientLabel);
    if (m_error != LOCKDOWN_E_SUCCESS) {
        m_client = nullptr;
    }
    m_result = ResultOfLockdown(m_error);
}

LockdownSession::~LockdownSession() {
    if (m_client != nullptr) {
        lockdownd_client_free(m_client);
    }
    if (m_device != nullptr) {
        idevice_free(m_device);
    }
}

int LockdownSession::GetValue(const char* domain, const char* key, PlistPtr& value) {
    if (m_client == nullptr) {
        return m_result;
    }
    plist_t node = nullptr;
    const lockdownd_error_t error = lockdownd_get_value(m_client, domain, key, &node);
    value.reset(node);
    return ResultOfLockdown(error);
}

int LockdownSession::SetValue(const char* domain, const char* key, PlistPtr value) {
    if (m_client == nullptr) {
        return m_result;
    }
    // lockdownd_set_value takes the node over, on success and failure alike.
    return ResultOfLockdown(
        lockdownd_set_value(m_client, domain, key, static_cast<plist_t>(value.release())));
}

int LockdownSession::StartService(const char* name, lockdownd_service_descriptor_t* service) {
    if (m_client == nullptr) {
        return m_result;
    }
    return ResultOfLockdown(lockdownd_start_service(m_client, name, service));
}

} // namespace vexa::usb
