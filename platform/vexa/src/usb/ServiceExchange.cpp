#include "ServiceExchange.h"

#include <thread>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

// A receive is cut into short slices so that an unplugged device or a caller that gives up is noticed
// quickly.
constexpr unsigned kSliceMs = 200;
// The removal event of a device whose connection just broke arrives a moment after the break.
constexpr auto kRemovalGrace = std::chrono::milliseconds(600);

} // namespace

ServiceExchange::ServiceExchange(const UsbDevice& device, const char* serviceName)
    : m_device(device)
    , m_result(VEXA_E_UNPLUGGED) {
    lockdownd_service_descriptor_t service = nullptr;
    {
        LockdownSession session(device);
        m_result = session.StartService(serviceName, &service);
        if (m_result != VEXA_OK) {
            m_result =
                m_result == VEXA_E_UNPLUGGED || device.IsConnected() ? m_result : int(VEXA_E_UNPLUGGED);
            return;
        }
    }
    // The service runs on a connection of its own, opened after the lockdown session has ended.
    if (OpenUsbDevice(device.Udid(), &m_idevice) != IDEVICE_E_SUCCESS) {
        m_idevice = nullptr;
        m_result = VEXA_E_UNPLUGGED;
    } else if (property_list_service_client_new(m_idevice, service, &m_client) !=
               PROPERTY_LIST_SERVICE_E_SUCCESS) {
        m_client = nullptr;
        m_result = Broken();
    }
    lockdownd_service_descriptor_free(service);
}

ServiceExchange::~ServiceExchange() {
    if (m_client != nullptr) {
        property_list_service_client_free(m_client);
    }
    if (m_idevice != nullptr) {
        idevice_free(m_idevice);
    }
}

int ServiceExchange::Broken() const {
    const auto until = std::chrono::steady_clock::now() + kRemovalGrace;
    while (m_device.IsConnected() && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return m_device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
}

int ServiceExchange::Send(plist_t message) {
    if (m_client == nullptr) {
        return m_result;
    }
    if (!m_device.IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    return property_list_service_send_xml_plist(m_client, message) == PROPERTY_LIST_SERVICE_E_SUCCESS
               ? VEXA_OK
               : Broken();
}

int ServiceExchange::Receive(PlistPtr& message, const std::atomic<bool>* cancel) {
    message.reset();
    if (m_client == nullptr) {
        return m_result;
    }
    const auto deadline = std::chrono::steady_clock::now() + kSilenceLimit;
    for (;;) {
        if (!m_device.IsConnected()) {
            return VEXA_E_UNPLUGGED;
        }
        if (cancel != nullptr && cancel->load()) {
            return VEXA_E_CANCELLED;
        }
        plist_t node = nullptr;
        const property_list_service_error_t error =
            property_list_service_receive_plist_with_timeout(m_client, &node, kSliceMs);
        message.reset(node);
        switch (error) {
        case PROPERTY_LIST_SERVICE_E_SUCCESS:
            return message ? int(VEXA_OK) : int(VEXA_E_PROTOCOL);
        case PROPERTY_LIST_SERVICE_E_RECEIVE_TIMEOUT:
            if (std::chrono::steady_clock::now() >= deadline) {
                return VEXA_E_TIMEOUT;
            }
            break;
        case PROPERTY_LIST_SERVICE_E_PLIST_ERROR:
            return VEXA_E_PROTOCOL;
        default:
            return Broken();
        }
    }
}

} // namespace vexa::usb
