#include "LockdownChannel.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "TlsStream.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

// Waits are cut into slices so that an unplugged device is noticed quickly; an answer that arrives
// ends a slice at once.
constexpr int kSliceMs = 200;
// Sending a request and shaking hands wait at most this long for the socket.
constexpr auto kSendLimit = std::chrono::milliseconds(4000);
// Lockdown's answers are small; anything larger is a garbled length.
constexpr uint32_t kLargestMessage = 16 * 1024 * 1024;

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

} // namespace

LockdownChannel::LockdownChannel(const UsbDevice& device)
    : m_device(device) {}

LockdownChannel::~LockdownChannel() {
    m_tls.reset(); // says goodbye on the socket before it closes
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
    const auto deadline = std::chrono::steady_clock::now() + kSendLimit;
    if (m_tls) {
        return m_tls->Write(frame.data(), frame.size(), deadline) == TlsStream::Io::Ok ? int(VEXA_OK)
                                                                                       : lost();
    }
    for (size_t sent = 0; sent < frame.size();) {
        const ssize_t part =
            ::send(m_fd, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (part > 0) {
            sent += static_cast<size_t>(part);
            continue;
        }
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            return lost();
        }
        pollfd ready{m_fd, POLLOUT, 0};
        if (::poll(&ready, 1, remainingMs(deadline)) == 0) {
            return lost();
        }
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
        const auto slice =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(std::min(left, kSliceMs));
        if (m_tls) {
            size_t part = 0;
            switch (m_tls->ReadSome(data + got, length - got, part, slice)) {
            case TlsStream::Io::Ok:
                got += static_cast<uint32_t>(part);
                break;
            case TlsStream::Io::TimedOut:
                break;
            case TlsStream::Io::Closed:
                return lost();
            }
            continue;
        }
        const ssize_t part = ::recv(m_fd, data + got, length - got, MSG_DONTWAIT);
        if (part > 0) {
            got += static_cast<uint32_t>(part);
        } else if (part == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            return lost();
        } else {
            pollfd ready{m_fd, POLLIN, 0};
            ::poll(&ready, 1, remainingMs(slice));
        }
    }
    return VEXA_OK;
}

int LockdownChannel::Receive(PlistPtr& message, std::chrono::milliseconds limit) {
    message.reset();
    const auto deadline = std::chrono::steady_clock::now() + limit;
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

int LockdownChannel::EnableTls(const std::string& certificatePem, const std::string& keyPem) {
    TlsStream::Io io = TlsStream::Io::Closed;
    m_tls = TlsStream::Start(m_fd, certificatePem, keyPem, std::chrono::steady_clock::now() + kSendLimit, io);
    if (m_tls) {
        return VEXA_OK;
    }
    return io == TlsStream::Io::TimedOut && m_device.IsConnected() ? int(VEXA_E_TIMEOUT) : lost();
}

} // namespace vexa::usb
