#pragma once

#include <memory>
#include <string>

#include <libimobiledevice/afc.h>
#include <libimobiledevice/house_arrest.h>
#include <libimobiledevice/libimobiledevice.h>

namespace vexa::usb {

class UsbDevice;

// The answer of the library for an AFC error; a lost connection reads as unplugged when the device is
// gone and as an input/output failure otherwise.
int ResultOfAfc(afc_error_t error, const UsbDevice& device);

// One open AFC connection: to the device's media folder, or (through house_arrest) to the documents of
// one app. Closed with the object.
class AfcConnection {
public:
    ~AfcConnection();
    AfcConnection(const AfcConnection&) = delete;
    AfcConnection& operator=(const AfcConnection&) = delete;

    static int OpenMedia(const UsbDevice& device, std::unique_ptr<AfcConnection>& connection);
    static int OpenAppDocuments(const UsbDevice& device, const std::string& appId,
                                std::unique_ptr<AfcConnection>& connection);

    afc_client_t Client() const { return m_afc; }

private:
    AfcConnection() = default;

    idevice_t m_device = nullptr;
    house_arrest_client_t m_houseArrest = nullptr;
    afc_client_t m_afc = nullptr;
};

} // namespace vexa::usb
