#pragma once

#include <memory>
#include <string>

#include <libimobiledevice/afc.h>

#include "AfcClient.h"
#include "ServiceConnection.h"

namespace vexa::usb {

class UsbDevice;

// The answer of the library for an AFC error; a lost connection reads as unplugged when the device is
// gone and as an input/output failure otherwise.
int ResultOfAfc(afc_error_t error, const UsbDevice& device);

// One open AFC connection: to the device's media folder, or (through house_arrest) to the documents of
// one app. Closed with the object.
class AfcConnection {
public:
    AfcConnection(const AfcConnection&) = delete;
    AfcConnection& operator=(const AfcConnection&) = delete;

    static int OpenMedia(const UsbDevice& device, std::unique_ptr<AfcConnection>& connection);
    static int OpenAppDocuments(const UsbDevice& device, const std::string& appId,
                                std::unique_ptr<AfcConnection>& connection);

    AfcClient& Client() { return m_client; }

private:
    explicit AfcConnection(std::unique_ptr<ServiceConnection> service);

    std::unique_ptr<ServiceConnection> m_service;
    AfcClient m_client;
};

} // namespace vexa::usb
