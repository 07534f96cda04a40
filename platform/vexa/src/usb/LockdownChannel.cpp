#include "LockdownChannel.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <poll.h>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

// Waits are cut into slices so that an unplugged device is noticed quickly.
constexpr int kSliceMs = 200;
// Lockdown's answers are small; anything larger is a garbled length.
constexpr uint32_t kLargestMessage = 16 * 1024 * 1024;

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

} // namespace

LockdownChannel::~LockdownChannel() {
    if (m_connection != nullptr) {
        idevice_disconnect(m_connection);
    }
    if (m_idevice != nullptr) {
        idevice_free(m_idevice);
    }
}

int LockdownChannel::Open(const UsbDevice& device, uint16_t port, std::unique_ptr<LockdownChannel>& opened) {
    std::unique_ptr<LockdownChannel> channel(new LockdownChannel(device));
    if (!device.IsConnected() || OpenUsbDevice(device.Udid(), &channel->m_idevice) != IDEVICE_E_SUCCESS) {
        channel->m_idevice = nullptr;
        return VEXA_E_UNPLUGGED;
    }
    if (idevice_connect(channel->m_idevice, port, &channel->m_connection) != IDEVICE_E_SUCCESS) {
        channel->m_connection = nullptr;
        return channel->lost();
    }
    if (idevice_connection_get_fd(channel->m_connection, &channel->m_fd) != IDEVICE_E_SUCCESS) {
        return VEXA_E_IO;
    }
    opened = std::move(channel);
    return VEXA_OK;
}

int LockdownChannel::lost() const {
    return m_device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
}

int LockdownChannel::Send(plist_t message) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(message, &xml, &length);
    if (xml == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::vector<char> frame(sizeof(uint32_t) + length);
    const uint32_t header = htonl(length);
    std::memcpy(frame.data(), &header, sizeof header);
    std::memcpy(frame.data() + sizeof header, xml, length);
    std::free(xml);
    size_t sent = 0;
    while (sent < frame.size()) {
        uint32_t part = 0;
        if (idevice_connection_send(m_connection, frame.data() + sent,
                                    static_cast<uint32_t>(frame.size() - sent), &part) != IDEVICE_E_SUCCESS ||
            part == 0) {
            return lost();
        }
        sent += part;
    }
    return VEXA_OK;
}

int LockdownChannel::readExactly(char* data, uint32_t length,
                                 std::chrono::steady_clock::time_point deadline) {
    uint32_t got = 0;
    while (got < length) {
        if (!m_device.IsConnected()) {
            return VEXA_E_UNPLUGGED;
        }
        const int left = remainingMs(deadline);
        if (left == 0) {
            return VEXA_E_TIMEOUT;
        }
        uint32_t part = 0;
        const idevice_error_t error = idevice_connection_receive_timeout(
            m_connection, data + got, length - got, &part, static_cast<unsigned>(std::min(left, kSliceMs)));
        got += part;
        if (error != IDEVICE_E_SUCCESS && error != IDEVICE_E_TIMEOUT && part == 0) {
            return lost();
        }
    }
    return VEXA_OK;
}

int LockdownChannel::Receive(PlistPtr& message, std::chrono::milliseconds limit) {
    message.reset();
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Lockdown answers one request at a time: nothing waits inside TLS before the next answer begins, so
    // the socket itself says when it does.
    for (;;) {
        if (!m_device.IsConnected()) {
            return VEXA_E_UNPLUGGED;
        }
        const int left = remainingMs(deadline);
        if (left == 0) {
            return VEXA_E_TIMEOUT;
        }
        pollfd ready{m_fd, POLLIN, 0};
        const int count = ::poll(&ready, 1, std::min(left, kSliceMs));
        if (count > 0) {
            break;
        }
        if (count < 0 && errno != EINTR) {
            return lost();
        }
    }
    uint32_t header = 0;
    if (int result = readExactly(reinterpret_cast<char*>(&header), sizeof header, deadline);
        result != VEXA_OK) {
        return result;
    }
    const uint32_t length = ntohl(header);
    if (length == 0 || length > kLargestMessage) {
        return VEXA_E_PROTOCOL;
    }
    std::vector<char> body(length);
    if (int result = readExactly(body.data(), length, deadline); result != VEXA_OK) {
        return result;
    }
    plist_t node = nullptr;
    plist_from_memory(body.data(), length, &node);
    message.reset(node);
    return node != nullptr ? VEXA_OK : VEXA_E_PROTOCOL;
}

int LockdownChannel::EnableTls() {
    return idevice_connection_enable_ssl(m_connection) == IDEVICE_E_SUCCESS ? int(VEXA_OK) : lost();
}

} // namespace vexa::usb
