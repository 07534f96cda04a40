#include "ServiceConnection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <libimobiledevice/lockdown.h>
#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbDevice.h"

namespace vexa::usb {

ServiceConnection::~ServiceConnection() {
    if (m_connection != nullptr) {
        idevice_disconnect(m_connection);
    } else if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (m_device != nullptr) {
        idevice_free(m_device);
    }
}

int ServiceConnection::Open(const UsbDevice& device, const char* service,
                            std::unique_ptr<ServiceConnection>& opened) {
    std::unique_ptr<ServiceConnection> connection(new ServiceConnection);
    lockdownd_service_descriptor_t descriptor = nullptr;
    {
        LockdownSession lockdown(device);
        if (lockdown.Result() != VEXA_OK) {
            return lockdown.Result();
        }
        if (int started = lockdown.StartService(service, &descriptor); started != VEXA_OK) {
            return started;
        }
    }
    std::unique_ptr<lockdownd_service_descriptor, decltype(&lockdownd_service_descriptor_free)> started(
        descriptor, &lockdownd_service_descriptor_free);
    if (!device.IsConnected() || OpenUsbDevice(device.Udid(), &connection->m_device) != IDEVICE_E_SUCCESS) {
        connection->m_device = nullptr;
        return VEXA_E_UNPLUGGED;
    }
    if (idevice_connect(connection->m_device, started->port, &connection->m_connection) !=
        IDEVICE_E_SUCCESS) {
        connection->m_connection = nullptr;
        return device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
    }
    if (idevice_connection_get_fd(connection->m_connection, &connection->m_fd) != IDEVICE_E_SUCCESS) {
        return VEXA_E_IO;
    }
    if (started->ssl_enabled != 0) {
        if (idevice_connection_enable_ssl(connection->m_connection) != IDEVICE_E_SUCCESS) {
            return VEXA_E_PROTOCOL;
        }
        connection->m_tls = true;
    } else {
        // Large socket buffers let a big piece of a file cross in a few steps instead of hundreds.
        const int size = 4 << 20;
        ::setsockopt(connection->m_fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
        ::setsockopt(connection->m_fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
        connection->m_buffer.reset(new char[kBufferSize]);
    }
    opened = std::move(connection);
    return VEXA_OK;
}

std::unique_ptr<ServiceConnection> ServiceConnection::Adopt(int fd) {
    std::unique_ptr<ServiceConnection> connection(new ServiceConnection);
    connection->m_fd = fd;
    connection->m_buffer.reset(new char[kBufferSize]);
    return connection;
}

bool ServiceConnection::waitFor(short events) const {
    pollfd ready{m_fd, events, 0};
    int count = 0;
    do {
        count = ::poll(&ready, 1, kWaitMilliseconds);
    } while (count < 0 && errno == EINTR);
    return count > 0;
}

ServiceConnection::Io ServiceConnection::Send(const void* data, size_t length) {
    const auto* bytes = static_cast<const char*>(data);
    while (length > 0) {
        if (m_tls) {
            // The library's TLS layer writes whole records; it has no deadline of its own.
            uint32_t sent = 0;
            const uint32_t part = length > (1u << 30) ? (1u << 30) : static_cast<uint32_t>(length);
            if (idevice_connection_send(m_connection, bytes, part, &sent) != IDEVICE_E_SUCCESS || sent == 0) {
                return Io::Closed;
            }
            bytes += sent;
            length -= sent;
            continue;
        }
        const ssize_t sent = ::send(m_fd, bytes, length, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent > 0) {
            bytes += sent;
            length -= static_cast<size_t>(sent);
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(POLLOUT)) {
                return Io::TimedOut;
            }
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else {
            return Io::Closed;
        }
    }
    return Io::Ok;
}

ServiceConnection::Io ServiceConnection::Receive(void* data, size_t length) {
    auto* bytes = static_cast<char*>(data);
    while (length > 0) {
        if (m_tls) {
            uint32_t got = 0;
            const uint32_t part = length > (1u << 30) ? (1u << 30) : static_cast<uint32_t>(length);
            const idevice_error_t error =
                idevice_connection_receive_timeout(m_connection, bytes, part, &got, kWaitMilliseconds);
            if (got == 0 && error == IDEVICE_E_TIMEOUT) {
                return Io::TimedOut;
            }
            if (got == 0) {
                return Io::Closed;
            }
            bytes += got;
            length -= got;
            continue;
        }
        if (m_begin < m_end) {
            const size_t part = std::min(length, m_end - m_begin);
            std::memcpy(bytes, m_buffer.get() + m_begin, part);
            m_begin += part;
            bytes += part;
            length -= part;
            continue;
        }
        const bool direct = length >= kBufferSize;
        const ssize_t got =
            ::recv(m_fd, direct ? bytes : m_buffer.get(), direct ? length : kBufferSize, MSG_DONTWAIT);
        if (got > 0 && direct) {
            bytes += got;
            length -= static_cast<size_t>(got);
        } else if (got > 0) {
            m_begin = 0;
            m_end = static_cast<size_t>(got);
        } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(POLLIN)) {
                return Io::TimedOut;
            }
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            return Io::Closed;
        }
    }
    return Io::Ok;
}

} // namespace vexa::usb
