#include "DeviceLinkConnection.h"

#include <cstring>
#include <thread>

#include <arpa/inet.h>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

constexpr unsigned kPollMs = 250;
constexpr size_t kBufferSize = 256 * 1024;
constexpr uint64_t kFirstAcceptedMajor = 300;
constexpr auto kRemovalGrace = std::chrono::milliseconds(1000);
// The device-link way of sending an empty string.
constexpr const char* kEmptyParameter = "___EmptyParameterString___";

std::string nameOf(plist_t message) {
    plist_t first = plist_array_get_item(message, 0);
    if (first == nullptr || plist_get_node_type(first) != PLIST_STRING) {
        return {};
    }
    char* text = nullptr;
    plist_get_string_val(first, &text);
    std::string name = text == nullptr ? std::string() : text;
    free(text);
    return name;
}

} // namespace

DeviceLinkConnection::DeviceLinkConnection(const UsbDevice& device)
    : m_device(device)
    , m_buffer(kBufferSize) {}

DeviceLinkConnection::~DeviceLinkConnection() {
    if (m_client != nullptr) {
        service_client_free(m_client);
    }
    if (m_idevice != nullptr) {
        idevice_free(m_idevice);
    }
}

int DeviceLinkConnection::Open(const char* service) {
    lockdownd_service_descriptor_t descriptor = nullptr;
    {
        LockdownSession session(m_device);
        if (int result = session.StartService(service, &descriptor); result != VEXA_OK) {
            return result;
        }
    }
    int result = VEXA_OK;
    if (OpenUsbDevice(m_device.Udid(), &m_idevice) != IDEVICE_E_SUCCESS) {
        m_idevice = nullptr;
        result = VEXA_E_UNPLUGGED;
    } else if (service_client_new(m_idevice, descriptor, &m_client) != SERVICE_E_SUCCESS) {
        m_client = nullptr;
        result = lostConnection();
    }
    lockdownd_service_descriptor_free(descriptor);
    return result;
}

int DeviceLinkConnection::lostConnection() const {
    // usbmuxd's removal event can trail the broken connection by a moment; an unplug is told as such.
    const auto deadline = std::chrono::steady_clock::now() + kRemovalGrace;
    while (m_device.IsConnected() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return m_device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
}

int DeviceLinkConnection::ExchangeVersion() {
    PlistPtr message;
    std::string name;
    if (int result = Receive(message, name); result != VEXA_OK) {
        return result;
    }
    plist_t major = plist_array_get_item(message.get(), 1);
    uint64_t version = 0;
    if (name != "DLMessageVersionExchange" || major == nullptr || plist_get_node_type(major) != PLIST_UINT) {
        return VEXA_E_PROTOCOL;
    }
    plist_get_uint_val(major, &version);
    if (version < kFirstAcceptedMajor) {
        return VEXA_E_UNSUPPORTED;
    }
    if (int result =
            Send("DLMessageVersionExchange", {plist_new_string("DLVersionsOk"), plist_new_uint(version)});
        result != VEXA_OK) {
        return result;
    }
    if (int result = Receive(message, name); result != VEXA_OK) {
        return result;
    }
    return name == "DLMessageDeviceReady" ? VEXA_OK : VEXA_E_PROTOCOL;
}

int DeviceLinkConnection::Send(const char* name, std::vector<plist_t> items) {
    PlistPtr message(plist_new_array());
    plist_array_append_item(message.get(), plist_new_string(name));
    for (plist_t item : items) {
        plist_array_append_item(message.get(), item);
    }
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(message.get(), &bytes, &length);
    if (bytes == nullptr) {
        return VEXA_E_INTERNAL;
    }
    int result = WriteBe32(length);
    if (result == VEXA_OK) {
        result = WriteAll(bytes, length);
    }
    free(bytes);
    return result;
}

int DeviceLinkConnection::SendProcessMessage(plist_t dictionary) {
    return Send("DLMessageProcessMessage", {dictionary});
}

int DeviceLinkConnection::SendStatus(uint64_t code, const std::string& description, plist_t content) {
    return Send("DLMessageStatusResponse",
                {plist_new_uint(code),
                 plist_new_string(description.empty() ? kEmptyParameter : description.c_str()),
                 content != nullptr ? content : plist_new_dict()});
}

int DeviceLinkConnection::Receive(PlistPtr& message, std::string& name) {
    message.reset();
    name.clear();
    uint32_t length = 0;
    if (int result = ReadBe32(length); result != VEXA_OK) {
        return result;
    }
    if (length == 0 || length > kMaxMessage) {
        return VEXA_E_PROTOCOL;
    }
    std::vector<char> bytes(length);
    if (int result = ReadExact(bytes.data(), length); result != VEXA_OK) {
        return result;
    }
    plist_t node = nullptr;
    if (length >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0) {
        plist_from_bin(bytes.data(), length, &node);
    } else {
        plist_from_xml(bytes.data(), length, &node);
    }
    message.reset(node);
    if (node == nullptr || plist_get_node_type(node) != PLIST_ARRAY) {
        return VEXA_E_PROTOCOL;
    }
    name = nameOf(node);
    return name.empty() ? VEXA_E_PROTOCOL : VEXA_OK;
}

int DeviceLinkConnection::readSome(char* data, size_t length, size_t& got) {
    got = 0;
    if (m_client == nullptr) {
        return VEXA_E_UNPLUGGED;
    }
    const auto silentSince = std::chrono::steady_clock::now();
    for (;;) {
        uint32_t received = 0;
        const service_error_t error = service_receive_with_timeout(
            m_client, data, static_cast<uint32_t>(std::min<size_t>(length, UINT32_MAX)), &received, kPollMs);
        if (received > 0) {
            got = received;
            return VEXA_OK;
        }
        if (error != SERVICE_E_SUCCESS && error != SERVICE_E_TIMEOUT && error != SERVICE_E_NOT_ENOUGH_DATA) {
            return lostConnection();
        }
        if (!m_device.IsConnected()) {
            return VEXA_E_UNPLUGGED;
        }
        if (m_waitCheck) {
            if (int result = m_waitCheck(); result != VEXA_OK) {
                return result;
            }
        }
        if (std::chrono::steady_clock::now() - silentSince >= m_silenceLimit) {
            return VEXA_E_TIMEOUT;
        }
    }
}

int DeviceLinkConnection::ReadExact(void* data, size_t length) {
    char* out = static_cast<char*>(data);
    while (length > 0) {
        if (m_bufferStart < m_bufferEnd) {
            const size_t piece = std::min(length, m_bufferEnd - m_bufferStart);
            std::memcpy(out, m_buffer.data() + m_bufferStart, piece);
            m_bufferStart += piece;
            out += piece;
            length -= piece;
            continue;
        }
        size_t got = 0;
        if (length >= m_buffer.size()) {
            // Bulk file data goes straight to the caller.
            if (int result = readSome(out, length, got); result != VEXA_OK) {
                return result;
            }
            out += got;
            length -= got;
            continue;
        }
        if (int result = readSome(m_buffer.data(), m_buffer.size(), got); result != VEXA_OK) {
            return result;
        }
        m_bufferStart = 0;
        m_bufferEnd = got;
    }
    return VEXA_OK;
}

int DeviceLinkConnection::ReadBe32(uint32_t& value) {
    if (int result = ReadExact(&value, sizeof value); result != VEXA_OK) {
        return result;
    }
    value = ntohl(value);
    return VEXA_OK;
}

int DeviceLinkConnection::WriteAll(const void* data, size_t length) {
    if (m_client == nullptr) {
        return VEXA_E_UNPLUGGED;
    }
    const char* in = static_cast<const char*>(data);
    while (length > 0) {
        uint32_t sent = 0;
        const auto piece = static_cast<uint32_t>(std::min<size_t>(length, 1u << 30));
        if (service_send(m_client, in, piece, &sent) != SERVICE_E_SUCCESS || sent == 0) {
            return lostConnection();
        }
        in += sent;
        length -= sent;
    }
    return VEXA_OK;
}

int DeviceLinkConnection::WriteBe32(uint32_t value) {
    value = htonl(value);
    return WriteAll(&value, sizeof value);
}

void DeviceLinkConnection::Disconnect() {
    if (m_client != nullptr && m_device.IsConnected()) {
        Send("DLMessageDisconnect", {plist_new_string("___EmptyParameterString___")});
    }
}

} // namespace vexa::usb
