#include "EmulatedDevice.h"

#include "WireChannel.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

EmulatedDevice::EmulatedDevice(int deviceId, std::shared_ptr<sim::SimDevice> device, bool wifi)
    : m_deviceId(deviceId)
    , m_device(std::move(device))
    , m_udid(m_device->Udid())
    , m_wifi(wifi)
    , m_identity(m_device->Folder() / "lockdown") {}

uint16_t EmulatedDevice::OpenServicePort(const ServicePort& service) {
    std::lock_guard lock(m_mutex);
    if (m_nextPort == 0 || m_nextPort == kLockdownPort)
        m_nextPort = 49152;
    const uint16_t port = m_nextPort++;
    m_servicePorts[port] = service;
    return port;
}

std::optional<ServicePort> EmulatedDevice::TakeServicePort(uint16_t port) {
    std::lock_guard lock(m_mutex);
    const auto found = m_servicePorts.find(port);
    if (found == m_servicePorts.end())
        return std::nullopt;
    ServicePort service = found->second;
    m_servicePorts.erase(found);
    return service;
}

bool EmulatedDevice::AddConnection(WireChannel* channel) {
    std::lock_guard lock(m_mutex);
    if (m_detached)
        return false;
    m_connections.insert(channel);
    return true;
}

void EmulatedDevice::RemoveConnection(WireChannel* channel) {
    std::lock_guard lock(m_mutex);
    m_connections.erase(channel);
}

void EmulatedDevice::Detach() {
    std::lock_guard lock(m_mutex);
    m_detached = true;
    m_device->MarkRemoved();
    for (WireChannel* channel : m_connections)
        channel->Shutdown();
}

bool EmulatedDevice::IsDetached() const {
    std::lock_guard lock(m_mutex);
    return m_detached;
}

} // namespace vexa::emulator
