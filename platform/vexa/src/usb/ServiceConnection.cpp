#include "ServiceConnection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <libimobiledevice/lockdown.h>
#include <vexa/VexaResult.h>

#include "FileDescriptor.h"
#include "LockdownSession.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

// A pipe this large takes a whole burst of the socket in one splice; an unprivileged process may ask
// for it (fs.pipe-max-size), and a smaller pipe only means more calls.
constexpr int kPipeSize = 1 << 20;
// The piece of a file held in memory at a time where the data has to pass through this process.
constexpr size_t kCopySlice = 256 * 1024;

ServiceConnection::Io ioOf(TlsStream::Io io) {
    switch (io) {
    case TlsStream::Io::Ok:
        return ServiceConnection::Io::Ok;
    case TlsStream::Io::TimedOut:
        return ServiceConnection::Io::TimedOut;
    case TlsStream::Io::Closed:
        break;
    }
    return ServiceConnection::Io::Closed;
}

// Every wait for the device ends this long after the last progress.
TlsStream::Clock::time_point deadline() {
    return TlsStream::Clock::now() + std::chrono::milliseconds(ServiceConnection::kWaitMilliseconds);
}

} // namespace

ServiceConnection::~ServiceConnection() {
    m_tls.reset(); // says goodbye on the socket before it closes
    for (int end : m_pipe) {
        if (end >= 0) {
            ::close(end);
        }
    }
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
    std::string certificate;
    std::string key;
    {
        LockdownSession lockdown(device);
        if (lockdown.Result() != VEXA_OK) {
            return lockdown.Result();
        }
        if (int started = lockdown.StartService(service, &descriptor); started != VEXA_OK) {
            return started;
        }
        certificate = lockdown.ClientCertificate();
        key = lockdown.ClientPrivateKey();
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
        TlsStream::Io io = TlsStream::Io::Closed;
        connection->m_tls =
            TlsStream::Start(connection->m_fd, certificate, key,
                             TlsStream::Clock::now() + std::chrono::milliseconds(kWaitMilliseconds), io);
        if (!connection->m_tls) {
            return !device.IsConnected()           ? VEXA_E_UNPLUGGED
                   : io == TlsStream::Io::TimedOut ? VEXA_E_TIMEOUT
                                                   : VEXA_E_PROTOCOL;
        }
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
            return ioOf(m_tls->Write(bytes, length, deadline()));
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
            size_t got = 0;
            if (Io io = ioOf(m_tls->ReadSome(bytes, length, got, deadline())); io != Io::Ok) {
                return io;
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

ServiceConnection::Io ServiceConnection::ReceiveToFile(int fd, size_t length, bool& fileFailed) {
    fileFailed = false;
    // What an earlier receive read ahead goes first, from memory.
    if (m_begin < m_end && length > 0) {
        const size_t part = std::min(length, m_end - m_begin);
        if (!WriteAll(fd, m_buffer.get() + m_begin, part)) {
            fileFailed = true;
            return Io::Ok;
        }
        m_begin += part;
        length -= part;
    }
    Io io = Io::Ok;
    if (m_tls || length == 0 || !spliceToFile(fd, length, io, fileFailed)) {
        return length == 0 ? io : copyToFile(fd, length, fileFailed);
    }
    return io;
}

bool ServiceConnection::spliceToFile(int fd, size_t& length, Io& io, bool& fileFailed) {
    if (m_pipe[0] < 0) {
        if (::pipe2(m_pipe, O_CLOEXEC) != 0) {
            m_pipe[0] = m_pipe[1] = -1;
            return false;
        }
        ::fcntl(m_pipe[1], F_SETPIPE_SZ, kPipeSize);
    }
    bool moved = false;
    bool written = false;
    while (length > 0) {
        const ssize_t got = ::splice(m_fd, nullptr, m_pipe[1], nullptr, std::min<size_t>(length, kPipeSize),
                                     SPLICE_F_MOVE | SPLICE_F_NONBLOCK);
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(POLLIN)) {
                io = Io::TimedOut;
                return true;
            }
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && !moved && (errno == EINVAL || errno == ENOSYS)) {
            return false; // this socket cannot splice; the pipe is still empty
        }
        if (got <= 0) {
            io = Io::Closed;
            return true;
        }
        moved = true;
        length -= static_cast<size_t>(got);
        // The pipe is emptied into the file before the next piece, so it never holds data of a
        // failed call.
        for (size_t left = static_cast<size_t>(got); left > 0;) {
            const ssize_t put = ::splice(m_pipe[0], nullptr, fd, nullptr, left, SPLICE_F_MOVE);
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0 && errno == EINVAL && !written) {
                // A file that cannot take a splice (opened for appending, say): what the pipe holds
                // goes through memory, and so does the rest.
                return drainPipe(fd, left, fileFailed) ? false : true;
            }
            if (put <= 0) {
                // What the pipe still holds is dropped with it.
                ::close(m_pipe[0]);
                ::close(m_pipe[1]);
                m_pipe[0] = m_pipe[1] = -1;
                fileFailed = true;
                return true;
            }
            written = true;
            left -= static_cast<size_t>(put);
        }
    }
    return true;
}

bool ServiceConnection::drainPipe(int fd, size_t length, bool& fileFailed) {
    char slice[64 * 1024];
    while (length > 0) {
        const ssize_t got = ::read(m_pipe[0], slice, std::min(length, sizeof slice));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || !WriteAll(fd, slice, static_cast<size_t>(got))) {
            fileFailed = true;
            return false;
        }
        length -= static_cast<size_t>(got);
    }
    return true;
}

ServiceConnection::Io ServiceConnection::copyToFile(int fd, size_t length, bool& fileFailed) {
    const std::unique_ptr<char[]> slice(new char[kCopySlice]);
    while (length > 0) {
        const size_t part = std::min(length, kCopySlice);
        if (Io io = Receive(slice.get(), part); io != Io::Ok) {
            return io;
        }
        if (!WriteAll(fd, slice.get(), part)) {
            fileFailed = true;
            return Io::Ok;
        }
        length -= part;
    }
    return Io::Ok;
}

} // namespace vexa::usb
