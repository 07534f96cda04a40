#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include <libimobiledevice/libimobiledevice.h>

#include "TlsStream.h"

namespace vexa::usb {

class UsbDevice;

// A connection to one service of the device, started through lockdown. Every send and receive waits
// at most kWaitMilliseconds for the device to make progress, so a device that stops answering ends the
// call instead of blocking its thread; a transfer that keeps moving is never cut. Closed with the object.
class ServiceConnection {
public:
    enum class Io { Ok, Closed, TimedOut };

    // Long enough for a busy device to answer; two waits together stay well under ten seconds.
    static constexpr int kWaitMilliseconds = 4000;

    ~ServiceConnection();
    ServiceConnection(const ServiceConnection&) = delete;
    ServiceConnection& operator=(const ServiceConnection&) = delete;

    // VEXA_OK and the connection, or the result that kept it from opening.
    static int Open(const UsbDevice& device, const char* service, std::unique_ptr<ServiceConnection>& opened);

    // A connection over a socket that is already open, owned from now on: answers recorded or made up
    // reach the protocol code through one.
    static std::unique_ptr<ServiceConnection> Adopt(int fd);

    Io Send(const void* data, size_t length);
    Io Receive(void* data, size_t length);
    // The next `length` bytes of the stream appended to the open file `fd` at its position. On a plain
    // socket they move from socket to file inside the kernel and never pass through this process.
    // `fileFailed` tells a failed write from a failed receive; after either the stream's position is
    // unknown and the connection is of no further use.
    Io ReceiveToFile(int fd, size_t length, bool& fileFailed);

private:
    ServiceConnection() = default;
    // Waits until the socket is ready for `events`; false when the wait ran out.
    bool waitFor(short events) const;
    // ReceiveToFile through the pipe splice(2) needs; false when this pair of descriptors cannot be
    // spliced, before anything was moved.
    bool spliceToFile(int fd, size_t& length, Io& io, bool& fileFailed);
    // Writes the `length` bytes waiting in the pipe to `fd`; false when that fails.
    bool drainPipe(int fd, size_t length, bool& fileFailed);
    // ReceiveToFile through memory, for TLS and for files that cannot take a splice.
    Io copyToFile(int fd, size_t length, bool& fileFailed);

    // Small answers come many to one receive; large ones go straight to the caller's memory.
    static constexpr size_t kBufferSize = 64 * 1024;
    std::unique_ptr<char[]> m_buffer;
    size_t m_begin = 0;
    size_t m_end = 0;
    idevice_t m_device = nullptr;
    idevice_connection_t m_connection = nullptr;
    int m_fd = -1;
    std::unique_ptr<TlsStream> m_tls;
    int m_pipe[2] = {-1, -1}; // made by the first ReceiveToFile that splices
};

} // namespace vexa::usb
