#include "TlsStream.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

namespace vexa::usb {

namespace {

// The socket as OpenSSL sees it: send() with MSG_NOSIGNAL, so a device that went away ends a write
// with an error instead of a SIGPIPE that would end the program.
int socketWrite(BIO* bio, const char* data, int length) {
    BIO_clear_retry_flags(bio);
    const int fd = static_cast<int>(reinterpret_cast<intptr_t>(BIO_get_data(bio)));
    const ssize_t sent = ::send(fd, data, static_cast<size_t>(length), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        BIO_set_retry_write(bio);
    }
    return static_cast<int>(sent);
}

int socketRead(BIO* bio, char* data, int length) {
    BIO_clear_retry_flags(bio);
    const int fd = static_cast<int>(reinterpret_cast<intptr_t>(BIO_get_data(bio)));
    const ssize_t got = ::recv(fd, data, static_cast<size_t>(length), MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        BIO_set_retry_read(bio);
    }
    return static_cast<int>(got);
}

long socketControl(BIO*, int command, long, void*) {
    return command == BIO_CTRL_FLUSH ? 1 : 0;
}

int socketCreate(BIO* bio) {
    BIO_set_init(bio, 1);
    return 1;
}

const BIO_METHOD* socketMethod() {
    static BIO_METHOD* const method = [] {
        BIO_METHOD* made = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "vexa device socket");
        BIO_meth_set_write(made, socketWrite);
        BIO_meth_set_read(made, socketRead);
        BIO_meth_set_ctrl(made, socketControl);
        BIO_meth_set_create(made, socketCreate);
        return made;
    }();
    return method;
}

// One context for every session: devices still speak old protocol versions with old ciphers, and their
// certificates are checked by the pairing, not by a chain of authorities.
SSL_CTX* clientContext() {
    static SSL_CTX* const context = [] {
        SSL_CTX* made = SSL_CTX_new(TLS_client_method());
        if (made != nullptr) {
            SSL_CTX_set_security_level(made, 0);
            SSL_CTX_set_cipher_list(made, "ALL:!aNULL:!eNULL:@SECLEVEL=0");
            SSL_CTX_set_min_proto_version(made, TLS1_VERSION);
            SSL_CTX_set_verify(made, SSL_VERIFY_NONE, nullptr);
        }
        return made;
    }();
    return context;
}

int millisecondsUntil(TlsStream::Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TlsStream::Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 60000));
}

bool loadIdentity(SSL* ssl, const std::string& certificatePem, const std::string& keyPem) {
    BIO* certificateText = BIO_new_mem_buf(certificatePem.data(), static_cast<int>(certificatePem.size()));
    BIO* keyText = BIO_new_mem_buf(keyPem.data(), static_cast<int>(keyPem.size()));
    X509* certificate =
        certificateText ? PEM_read_bio_X509(certificateText, nullptr, nullptr, nullptr) : nullptr;
    EVP_PKEY* key = keyText ? PEM_read_bio_PrivateKey(keyText, nullptr, nullptr, nullptr) : nullptr;
    const bool loaded = certificate != nullptr && key != nullptr &&
                        SSL_use_certificate(ssl, certificate) == 1 && SSL_use_PrivateKey(ssl, key) == 1;
    X509_free(certificate);
    EVP_PKEY_free(key);
    BIO_free(certificateText);
    BIO_free(keyText);
    return loaded;
}

} // namespace

TlsStream::~TlsStream() {
    // The close alert goes out if the socket takes it at once; nobody waits for the device's.
    if (!m_failed) {
        SSL_shutdown(m_ssl);
    }
    SSL_free(m_ssl);
    ERR_clear_error();
}

std::unique_ptr<TlsStream> TlsStream::Start(int fd, const std::string& certificatePem,
                                            const std::string& keyPem, Clock::time_point deadline, Io& io) {
    io = Io::Closed;
    SSL_CTX* context = clientContext();
    SSL* ssl = context != nullptr ? SSL_new(context) : nullptr;
    BIO* bio = ssl != nullptr ? BIO_new(socketMethod()) : nullptr;
    if (bio == nullptr || !loadIdentity(ssl, certificatePem, keyPem)) {
        BIO_free(bio);
        SSL_free(ssl);
        ERR_clear_error();
        return nullptr;
    }
    BIO_set_data(bio, reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
    SSL_set_bio(ssl, bio, bio);
    SSL_set_connect_state(ssl);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    std::unique_ptr<TlsStream> stream(new TlsStream(ssl, fd));
    for (;;) {
        const int result = SSL_do_handshake(ssl);
        if (result == 1) {
            io = Io::Ok;
            return stream;
        }
        if ((io = stream->waitAfter(result, deadline)) != Io::Ok) {
            return nullptr;
        }
    }
}

TlsStream::Io TlsStream::waitAfter(int result, Clock::time_point deadline) {
    short events = 0;
    switch (SSL_get_error(m_ssl, result)) {
    case SSL_ERROR_WANT_READ:
        events = POLLIN;
        break;
    case SSL_ERROR_WANT_WRITE:
        events = POLLOUT;
        break;
    default:
        ERR_clear_error();
        m_failed = true;
        return Io::Closed;
    }
    for (;;) {
        const int left = millisecondsUntil(deadline);
        if (left == 0) {
            return Io::TimedOut;
        }
        pollfd ready{m_fd, events, 0};
        const int count = ::poll(&ready, 1, left);
        if (count > 0) {
            return Io::Ok;
        }
        if (count < 0 && errno != EINTR) {
            return Io::Closed;
        }
    }
}

TlsStream::Io TlsStream::Write(const void* data, size_t length, Clock::time_point deadline) {
    const auto* bytes = static_cast<const char*>(data);
    while (length > 0) {
        size_t written = 0;
        const int result = SSL_write_ex(m_ssl, bytes, length, &written);
        if (result == 1) {
            bytes += written;
            length -= written;
        } else if (Io io = waitAfter(result, deadline); io != Io::Ok) {
            return io;
        }
    }
    return Io::Ok;
}

TlsStream::Io TlsStream::ReadSome(void* data, size_t length, size_t& got, Clock::time_point deadline) {
    got = 0;
    for (;;) {
        const int result = SSL_read_ex(m_ssl, data, length, &got);
        if (result == 1) {
            return Io::Ok;
        }
        if (Io io = waitAfter(result, deadline); io != Io::Ok) {
            return io;
        }
    }
}

} // namespace vexa::usb
