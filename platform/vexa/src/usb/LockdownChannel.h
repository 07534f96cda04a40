#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include <libimobiledevice/libimobiledevice.h>

#include "PlistValue.h"

namespace vexa::usb {

class TlsStream;
class UsbDevice;

// Property-list messages to and from one port of the device on a connection of our own, every wait
// bounded: libimobiledevice 1.3.0's lockdown client waits ten seconds for each answer, goes on with the
// next request after a failed one and says goodbye when it is freed, so a device that stops answering
// holds its caller for a minute and more. Closed with the object.
class LockdownChannel {
public:
    ~LockdownChannel();
    LockdownChannel(const LockdownChannel&) = delete;
    LockdownChannel& operator=(const LockdownChannel&) = delete;

    static int Open(const UsbDevice& device, uint16_t port, std::unique_ptr<LockdownChannel>& opened);

    int Send(plist_t message);
    // The next message within `limit`: VEXA_E_TIMEOUT after it, VEXA_E_UNPLUGGED when the device left,
    // VEXA_E_PROTOCOL for a message that is not a property list, VEXA_E_IO for a broken connection.
    int Receive(PlistPtr& message, std::chrono::milliseconds limit);
    // Continues the connection under TLS with the host's certificate and key (PEM) from the pairing.
    int EnableTls(const std::string& certificatePem, const std::string& keyPem);

private:
    explicit LockdownChannel(const UsbDevice& device);
    // Reads exactly `length` bytes before `deadline`.
    int readExactly(char* data, uint32_t length, std::chrono::steady_clock::time_point deadline);
    int lost() const;

    const UsbDevice& m_device;
    std::unique_ptr<TlsStream> m_tls;
    idevice_t m_idevice = nullptr;
    idevice_connection_t m_connection = nullptr;
    int m_fd = -1;
};

} // namespace vexa::usb
