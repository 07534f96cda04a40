#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

typedef struct ssl_st SSL;

namespace vexa::usb {

// The client side of a TLS session on a device connection, with the host's root certificate and key from
// the pairing record. Every wait is bounded by the caller, and a wait for the peer is a poll on the
// socket, never a sleep: libimobiledevice 1.3.0's own handshake sleeps a tenth of a second each time
// the device has not answered yet, which costs two tenths for every session opened. The socket is
// switched to non-blocking and stays owned by the caller.
class TlsStream {
public:
    using Clock = std::chrono::steady_clock;

    ~TlsStream();
    TlsStream(const TlsStream&) = delete;
    TlsStream& operator=(const TlsStream&) = delete;

    enum class Io { Ok, Closed, TimedOut };

    // Shakes hands before `deadline`; null when the certificate or key do not load or the peer refuses
    // (`io` says which: Closed for a refusal or a lost connection, TimedOut for a silent peer).
    static std::unique_ptr<TlsStream> Start(int fd, const std::string& certificatePem,
                                            const std::string& keyPem, Clock::time_point deadline, Io& io);

    Io Write(const void* data, size_t length, Clock::time_point deadline);
    // At least one byte and at most `length` into `data`, waiting until `deadline` at most.
    Io ReadSome(void* data, size_t length, size_t& got, Clock::time_point deadline);

private:
    explicit TlsStream(SSL* ssl, int fd)
        : m_ssl(ssl)
        , m_fd(fd) {}
    // Waits until the socket is ready for what OpenSSL asked for after `result`: Closed for a lost
    // connection or a failed session, TimedOut once `deadline` passed.
    Io waitAfter(int result, Clock::time_point deadline);

    SSL* m_ssl;
    int m_fd;
    bool m_failed = false; // after a fatal error the session may not even say goodbye
};

} // namespace vexa::usb
