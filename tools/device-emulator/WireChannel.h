#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <openssl/ssl.h>

namespace vexa::emulator {

// One end of a device connection: a stream socket, optionally wrapped in TLS once the client asks for
// it. Reads and writes are whole: a short read means the peer went away.
class WireChannel {
public:
    explicit WireChannel(int fd);
    ~WireChannel();
    WireChannel(const WireChannel&) = delete;
    WireChannel& operator=(const WireChannel&) = delete;

    int Fd() const { return m_fd; }
    bool ReadExact(void* buffer, size_t length);
    // Whatever has arrived, at least one byte and at most `length`; 0 when the peer went away.
    size_t ReadSome(void* buffer, size_t length);
    bool WriteAll(const void* buffer, size_t length);

    // Server side of a TLS handshake on the open socket; false (and stays plain) when it fails.
    bool StartTls(SSL_CTX* context);
    // Sends the TLS close alert and, when the client's own alert follows, swallows it so that plain
    // messages can follow on the same socket.
    void StopTls();
    bool IsTls() const { return m_ssl != nullptr; }

    // Wakes a thread blocked on this channel; the socket is closed by the destructor.
    void Shutdown();

private:
    int m_fd;
    SSL* m_ssl = nullptr;
};

} // namespace vexa::emulator
