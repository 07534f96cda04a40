#include "WireChannel.h"

#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

namespace vexa::emulator {

namespace {

// A TLS record: type (21 is an alert), version, 16-bit length.
constexpr unsigned char kTlsAlertRecord = 21;
constexpr size_t kTlsRecordHeader = 5;

bool readPlain(int fd, unsigned char* out, size_t length) {
    while (length > 0) {
        const ssize_t got = ::recv(fd, out, length, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        length -= static_cast<size_t>(got);
    }
    return true;
}

} // namespace

WireChannel::WireChannel(int fd)
    : m_fd(fd) {}

WireChannel::~WireChannel() {
    if (m_ssl)
        SSL_free(m_ssl);
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WireChannel::ReadExact(void* buffer, size_t length) {
    auto* out = static_cast<unsigned char*>(buffer);
    if (!m_ssl)
        return readPlain(m_fd, out, length);
    while (length > 0) {
        const int chunk = length > (1u << 30) ? (1 << 30) : static_cast<int>(length);
        const int got = SSL_read(m_ssl, out, chunk);
        if (got <= 0)
            return false;
        out += got;
        length -= static_cast<size_t>(got);
    }
    return true;
}

size_t WireChannel::ReadSome(void* buffer, size_t length) {
    const int chunk = length > (1u << 30) ? (1 << 30) : static_cast<int>(length);
    if (m_ssl) {
        const int got = SSL_read(m_ssl, buffer, chunk);
        return got > 0 ? static_cast<size_t>(got) : 0;
    }
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer, static_cast<size_t>(chunk), 0);
        if (got < 0 && errno == EINTR)
            continue;
        return got > 0 ? static_cast<size_t>(got) : 0;
    }
}

bool WireChannel::WriteAll(const void* buffer, size_t length) {
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (length > 0) {
        int sent = 0;
        if (m_ssl) {
            const int chunk = length > (1u << 30) ? (1 << 30) : static_cast<int>(length);
            sent = SSL_write(m_ssl, in, chunk);
        } else {
            const ssize_t plain = ::send(m_fd, in, length, MSG_NOSIGNAL);
            if (plain < 0 && errno == EINTR)
                continue;
            sent = static_cast<int>(plain);
        }
        if (sent <= 0)
            return false;
        in += sent;
        length -= static_cast<size_t>(sent);
    }
    return true;
}

bool WireChannel::StartTls(SSL_CTX* context) {
    SSL* ssl = SSL_new(context);
    if (!ssl)
        return false;
    SSL_set_fd(ssl, m_fd);
    if (SSL_accept(ssl) != 1) {
        SSL_free(ssl);
        return false;
    }
    m_ssl = ssl;
    return true;
}

void WireChannel::StopTls() {
    if (!m_ssl)
        return;
    SSL_shutdown(m_ssl);
    SSL_free(m_ssl);
    m_ssl = nullptr;
    // The client answers with its own close alert before speaking plainly again.
    unsigned char header[kTlsRecordHeader];
    ssize_t peeked = 0;
    do {
        peeked = ::recv(m_fd, header, sizeof header, MSG_PEEK | MSG_WAITALL);
    } while (peeked < 0 && errno == EINTR);
    if (peeked == static_cast<ssize_t>(sizeof header) && header[0] == kTlsAlertRecord) {
        const size_t body = (static_cast<size_t>(header[3]) << 8) | header[4];
        unsigned char discard[kTlsRecordHeader + 512];
        if (body <= 512)
            readPlain(m_fd, discard, kTlsRecordHeader + body);
    }
}

void WireChannel::Shutdown() {
    ::shutdown(m_fd, SHUT_RDWR);
}

} // namespace vexa::emulator
