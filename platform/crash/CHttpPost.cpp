#include "CHttpPost.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Owns a socket descriptor for the length of one request.
class SocketGuard {
public:
    explicit SocketGuard(int fd)
        : m_fd(fd) {}
    ~SocketGuard() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SocketGuard(const SocketGuard&) = delete;
    SocketGuard& operator=(const SocketGuard&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

bool WaitFor(int fd, short events, int timeoutMs) {
    pollfd entry = {fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0;
    }
}

} // namespace

CHttpPost::CHttpPost(int timeoutMs)
    : m_timeoutMs(timeoutMs) {}

CHttpPost::Result CHttpPost::Post(const std::string& url, const std::string& body,
                                  const std::string& fileName) {
    m_statusCode = 0;
    Address address;
    if (!ParseUrl(url, &address))
        return BadAddress;
    SocketGuard socket(Connect(address));
    if (socket.Get() < 0)
        return ConnectFailed;

    std::string request = "POST " + address.path + " HTTP/1.1\r\n";
    request += "Host: " + address.host + ":" + address.port + "\r\n";
    request += "User-Agent: VexaTransfer-CrashReport\r\n";
    request += "Content-Type: application/octet-stream\r\n";
    request += "Content-Disposition: attachment; filename=\"" + fileName + "\"\r\n";
    request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    request += "Connection: close\r\n\r\n";
    if (!SendAll(socket.Get(), request) || !SendAll(socket.Get(), body))
        return SendFailed;
    if (!ReadStatus(socket.Get()))
        return SendFailed;
    return m_statusCode >= 200 && m_statusCode < 300 ? Ok : Rejected;
}

bool CHttpPost::ParseUrl(const std::string& url, Address* address) {
    const std::string scheme = "http://";
    if (url.compare(0, scheme.size(), scheme) != 0)
        return false;
    const std::string rest = url.substr(scheme.size());
    const size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    address->path = slash == std::string::npos ? "/" : rest.substr(slash);
    address->port = "80";
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string::npos)
            return false;
        address->host = authority.substr(1, close - 1);
        if (close + 1 < authority.size()) {
            if (authority[close + 1] != ':')
                return false;
            address->port = authority.substr(close + 2);
        }
    } else {
        const size_t colon = authority.rfind(':');
        address->host = authority.substr(0, colon);
        if (colon != std::string::npos)
            address->port = authority.substr(colon + 1);
    }
    if (address->host.empty() || address->port.empty())
        return false;
    char* end = nullptr;
    const long port = std::strtol(address->port.c_str(), &end, 10);
    return *end == '\0' && port > 0 && port < 65536;
}

int CHttpPost::Connect(const Address& address) const {
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found) != 0)
        return -1;
    int connected = -1;
    for (addrinfo* entry = found; entry && connected < 0; entry = entry->ai_next) {
        const int fd =
            ::socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, entry->ai_protocol);
        if (fd < 0)
            continue;
        bool ok = ::connect(fd, entry->ai_addr, entry->ai_addrlen) == 0;
        if (!ok && errno == EINPROGRESS && WaitFor(fd, POLLOUT, m_timeoutMs)) {
            int error = 0;
            socklen_t length = sizeof(error);
            ok = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
        if (ok)
            connected = fd;
        else
            ::close(fd);
    }
    ::freeaddrinfo(found);
    return connected;
}

bool CHttpPost::SendAll(int fd, const std::string& data) const {
    size_t sent = 0;
    while (sent < data.size()) {
        if (!WaitFor(fd, POLLOUT, m_timeoutMs))
            return false;
        const ssize_t written = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (written < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return false;
        }
        sent += static_cast<size_t>(written);
    }
    return true;
}

bool CHttpPost::ReadStatus(int fd) {
    std::string received;
    while (received.find("\r\n") == std::string::npos && received.size() < 1024) {
        if (!WaitFor(fd, POLLIN, m_timeoutMs))
            return false;
        char buffer[512];
        const ssize_t got = ::recv(fd, buffer, sizeof(buffer), 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            break;
        received.append(buffer, static_cast<size_t>(got));
    }
    // "HTTP/1.1 200 OK"
    if (received.compare(0, 5, "HTTP/") != 0)
        return false;
    const size_t space = received.find(' ');
    if (space == std::string::npos)
        return false;
    m_statusCode = std::atoi(received.c_str() + space + 1);
    return m_statusCode >= 100;
}
