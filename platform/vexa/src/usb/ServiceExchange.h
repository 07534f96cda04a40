#pragma once

#include <atomic>
#include <chrono>

#include <libimobiledevice/property_list_service.h>

#include "PlistValue.h"

namespace vexa::usb {

class UsbDevice;

// One property-list service of the device (installation_proxy, springboard services) spoken by our own
// code. libimobiledevice 1.3.0's clients for these services wait without end on a device that stops
// answering: the installation proxy's status loop takes every receive timeout as "still busy" and asks
// again. Here every wait ends once the device has been silent for kSilenceLimit, has been unplugged, or
// the caller has given up. Closed with the object.
class ServiceExchange {
public:
    // Together with the lockdown session that starts the service this keeps a silent device's call under
    // ten seconds.
    static constexpr std::chrono::milliseconds kSilenceLimit{8000};

    ServiceExchange(const UsbDevice& device, const char* serviceName);
    ~ServiceExchange();
    ServiceExchange(const ServiceExchange&) = delete;
    ServiceExchange& operator=(const ServiceExchange&) = delete;

    // VEXA_OK once the service is connected; why it is not otherwise.
    int Result() const { return m_result; }
    int Send(plist_t message);
    // The device's next message. VEXA_E_TIMEOUT after kSilenceLimit without one, VEXA_E_UNPLUGGED when the
    // device left, VEXA_E_CANCELLED once `cancel` is set, VEXA_E_PROTOCOL for a message that is not a
    // property list, VEXA_E_IO for a connection that broke otherwise.
    int Receive(PlistPtr& message, const std::atomic<bool>* cancel = nullptr);

private:
    // The connection broke: unplugged when the removal follows within a moment.
    int Broken() const;

    const UsbDevice& m_device;
    int m_result;
    idevice_t m_idevice = nullptr;
    property_list_service_client_t m_client = nullptr;
};

} // namespace vexa::usb
