#include "LockdownSession.h"

#include <cstdlib>
#include <cstring>

#include <usbmuxd.h>

#include <vexa/VexaResult.h>

#include "LockdownChannel.h"
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

namespace {

constexpr uint16_t kLockdownPort = 62078;

// The device's error names as libimobiledevice's codes, for ResultOfLockdown and IsTrustPending.
lockdownd_error_t ErrorNamed(const std::string& name) {
    static const std::pair<const char*, lockdownd_error_t> kNames[] = {
        {"PasswordProtected", LOCKDOWN_E_PASSWORD_PROTECTED},
        {"PairingDialogResponsePending", LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING},
        {"UserDeniedPairing", LOCKDOWN_E_USER_DENIED_PAIRING},
        {"InvalidHostID", LOCKDOWN_E_INVALID_HOST_ID},
        {"InvalidPairRecord", LOCKDOWN_E_INVALID_PAIR_RECORD},
        {"MissingKey", LOCKDOWN_E_MISSING_KEY},
        {"MissingValue", LOCKDOWN_E_MISSING_VALUE},
        {"InvalidService", LOCKDOWN_E_INVALID_SERVICE},
        {"MissingService", LOCKDOWN_E_MISSING_SERVICE},
        {"ServiceProhibited", LOCKDOWN_E_SERVICE_PROHIBITED},
        {"SetProhibited", LOCKDOWN_E_SET_PROHIBITED},
        {"GetProhibited", LOCKDOWN_E_GET_PROHIBITED},
    };
    for (const auto& [text, error] : kNames) {
        if (name == text) {
            return error;
        }
    }
    return LOCKDOWN_E_UNKNOWN_ERROR;
}

PlistPtr NewRequest(const char* request) {
    PlistPtr message(plist_new_dict());
    plist_dict_set_item(message.get(), "Label", plist_new_string(kClientLabel));
    plist_dict_set_item(message.get(), "ProtocolVersion", plist_new_string("2"));
    plist_dict_set_item(message.get(), "Request", plist_new_string(request));
    return message;
}

// The pairing record usbmuxd keeps for the device; empty when it has none.
PlistPtr PairRecord(const std::string& udid) {
    char* data = nullptr;
    uint32_t size = 0;
    if (usbmuxd_read_pair_record(udid.c_str(), &data, &size) < 0 || data == nullptr) {
        std::free(data);
        return {};
    }
    plist_t record = nullptr;
    plist_from_memory(data, size, &record);
    std::free(data);
    return PlistPtr(record);
}

} // namespace

LockdownSession::LockdownSession(const UsbDevice& device)
    : m_result(VEXA_E_UNPLUGGED) {
    if (!device.IsConnected()) {
        return;
    }
    if (openOwnSession(device)) {
        return;
    }
    m_channel.reset();
    m_sessionId.clear();
    if (m_result == VEXA_E_NOT_TRUSTED) {
        // No pairing yet, or one the device no longer knows: pair again.
        handshake(device);
    }
}

void LockdownSession::handshake(const UsbDevice& device) {
    m_result = VEXA_E_UNPLUGGED;
    if (OpenUsbDevice(device.Udid(), &m_device) != IDEVICE_E_SUCCESS) {
        m_device = nullptr;
        return;
    }
    m_error = lockdownd_client_new_with_handshake(m_device, &m_client, kClientLabel);
    if (m_error != LOCKDOWN_E_SUCCESS) {
        m_client = nullptr;
    }
    m_result = ResultOfLockdown(m_error);
    if (m_result == VEXA_OK) {
        // The pairing just made (or confirmed) is in usbmuxd now.
        PlistPtr record = PairRecord(device.Udid());
        m_clientCertificate = PlistData(record.get(), "RootCertificate");
        m_clientPrivateKey = PlistData(record.get(), "RootPrivateKey");
    }
}

bool LockdownSession::openOwnSession(const UsbDevice& device) {
    PlistPtr record = PairRecord(device.Udid());
    const std::string hostId = PlistString(record.get(), "HostID");
    std::string systemBuid = PlistString(record.get(), "SystemBUID");
    if (hostId.empty()) {
        m_error = LOCKDOWN_E_MISSING_PAIR_RECORD;
        m_result = VEXA_E_NOT_TRUSTED;
        return false;
    }
    if (systemBuid.empty()) {
        char* buid = nullptr;
        if (usbmuxd_read_buid(&buid) == 0 && buid != nullptr) {
            systemBuid = buid;
        }
        std::free(buid);
    }
    if ((m_result = LockdownChannel::Open(device, kLockdownPort, m_channel)) != VEXA_OK) {
        return false;
    }
    PlistPtr answer;
    if ((m_result = exchange(NewRequest("QueryType").get(), answer)) != VEXA_OK) {
        return false;
    }
    if (PlistString(answer.get(), "Type") != "com.apple.mobile.lockdown") {
        m_error = LOCKDOWN_E_INVALID_RESPONSE;
        m_result = VEXA_E_PROTOCOL;
        return false;
    }
    PlistPtr start = NewRequest("StartSession");
    plist_dict_set_item(start.get(), "HostID", plist_new_string(hostId.c_str()));
    plist_dict_set_item(start.get(), "SystemBUID", plist_new_string(systemBuid.c_str()));
    if ((m_result = exchange(start.get(), answer)) != VEXA_OK) {
        return false;
    }
    m_sessionId = PlistString(answer.get(), "SessionID");
    uint8_t tls = 0;
    if (plist_t node = plist_dict_get_item(answer.get(), "EnableSessionSSL");
        node && plist_get_node_type(node) == PLIST_BOOLEAN) {
        plist_get_bool_val(node, &tls);
    }
    m_clientCertificate = PlistData(record.get(), "RootCertificate");
    m_clientPrivateKey = PlistData(record.get(), "RootPrivateKey");
    if (tls != 0 && (m_result = m_channel->EnableTls(m_clientCertificate, m_clientPrivateKey)) != VEXA_OK) {
        m_error = LOCKDOWN_E_SSL_ERROR;
        return false;
    }
    m_error = LOCKDOWN_E_SUCCESS;
    m_result = VEXA_OK;
    return true;
}

int LockdownSession::exchange(plist_t request, PlistPtr& answer) {
    int result = m_channel->Send(request);
    if (result == VEXA_OK) {
        result = m_channel->Receive(answer, kAnswerLimit);
    }
    if (result != VEXA_OK) {
        m_error = result == VEXA_E_TIMEOUT    ? LOCKDOWN_E_RECEIVE_TIMEOUT
                  : result == VEXA_E_PROTOCOL ? LOCKDOWN_E_PLIST_ERROR
                                              : LOCKDOWN_E_MUX_ERROR;
        // A connection that failed once carries nothing more, not even the end of the session.
        m_channel.reset();
        return result;
    }
    if (plist_get_node_type(answer.get()) != PLIST_DICT) {
        m_error = LOCKDOWN_E_PLIST_ERROR;
        return VEXA_E_PROTOCOL;
    }
    if (const std::string error = PlistString(answer.get(), "Error"); !error.empty()) {
        m_error = ErrorNamed(error);
        return ResultOfLockdown(m_error);
    }
    return VEXA_OK;
}

LockdownSession::~LockdownSession() {
    if (m_channel && !m_sessionId.empty()) {
        // The device ends the session with the connection too: a short wait is enough.
        PlistPtr stop = NewRequest("StopSession");
        plist_dict_set_item(stop.get(), "SessionID", plist_new_string(m_sessionId.c_str()));
        PlistPtr answer;
        if (m_channel->Send(stop.get()) == VEXA_OK) {
            m_channel->Receive(answer, std::chrono::milliseconds(500));
        }
    }
    m_channel.reset();
    if (m_client != nullptr) {
        lockdownd_client_free(m_client);
    }
    if (m_device != nullptr) {
        idevice_free(m_device);
    }
}

int LockdownSession::GetValue(const char* domain, const char* key, PlistPtr& value) {
    value.reset();
    if (m_result != VEXA_OK) {
        return m_result;
    }
    if (m_channel) {
        PlistPtr request = NewRequest("GetValue");
        if (domain != nullptr) {
            plist_dict_set_item(request.get(), "Domain", plist_new_string(domain));
        }
        if (key != nullptr) {
            plist_dict_set_item(request.get(), "Key", plist_new_string(key));
        }
        PlistPtr answer;
        const int result = exchange(request.get(), answer);
        if (result == VEXA_OK) {
            plist_t node = plist_dict_get_item(answer.get(), "Value");
            value.reset(node != nullptr ? plist_copy(node) : nullptr);
        }
        return result;
    }
    if (m_client == nullptr) {
        return VEXA_E_IO; // the session broke on an earlier request
    }
    plist_t node = nullptr;
    const lockdownd_error_t error = lockdownd_get_value(m_client, domain, key, &node);
    value.reset(node);
    return ResultOfLockdown(error);
}

int LockdownSession::SetValue(const char* domain, const char* key, PlistPtr value) {
    if (m_result != VEXA_OK) {
        return m_result;
    }
    if (m_channel) {
        PlistPtr request = NewRequest("SetValue");
        if (domain != nullptr) {
            plist_dict_set_item(request.get(), "Domain", plist_new_string(domain));
        }
        if (key != nullptr) {
            plist_dict_set_item(request.get(), "Key", plist_new_string(key));
        }
        plist_dict_set_item(request.get(), "Value", static_cast<plist_t>(value.release()));
        PlistPtr answer;
        return exchange(request.get(), answer);
    }
    if (m_client == nullptr) {
        return VEXA_E_IO; // the session broke on an earlier request
    }
    // lockdownd_set_value takes the node over, on success and failure alike.
    return ResultOfLockdown(
        lockdownd_set_value(m_client, domain, key, static_cast<plist_t>(value.release())));
}

int LockdownSession::StartService(const char* name, lockdownd_service_descriptor_t* service) {
    if (m_result != VEXA_OK) {
        return m_result;
    }
    if (m_channel) {
        PlistPtr request = NewRequest("StartService");
        plist_dict_set_item(request.get(), "Service", plist_new_string(name));
        PlistPtr answer;
        if (int result = exchange(request.get(), answer); result != VEXA_OK) {
            return result;
        }
        const uint64_t port = PlistUnsigned(answer.get(), "Port");
        if (port == 0 || port > UINT16_MAX) {
            m_error = LOCKDOWN_E_INVALID_RESPONSE;
            return VEXA_E_PROTOCOL;
        }
        uint8_t tls = 0;
        if (plist_t node = plist_dict_get_item(answer.get(), "EnableServiceSSL");
            node && plist_get_node_type(node) == PLIST_BOOLEAN) {
            plist_get_bool_val(node, &tls);
        }
        // Freed by the caller with lockdownd_service_descriptor_free, as the library's own.
        auto* descriptor =
            static_cast<lockdownd_service_descriptor_t>(std::calloc(1, sizeof(lockdownd_service_descriptor)));
        descriptor->port = static_cast<uint16_t>(port);
        descriptor->ssl_enabled = tls;
        descriptor->identifier = strdup(name);
        *service = descriptor;
        return VEXA_OK;
    }
    if (m_client == nullptr) {
        return VEXA_E_IO; // the session broke on an earlier request
    }
    return ResultOfLockdown(lockdownd_start_service(m_client, name, service));
}

} // namespace vexa::usb
