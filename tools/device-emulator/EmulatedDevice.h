#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "DeviceIdentity.h"

namespace vexa::sim {
class SimDevice;
}

namespace vexa::emulator {

class WireChannel;

// What a port opened by StartService leads to.
struct ServicePort {
    std::string service;
    std::string hostId; // the host whose session started it: its certificate serves the TLS
    bool tls = false;   // the client must start TLS before speaking
};

// A simulated device while it is attached to the emulated muxer: its muxer id, its lockdown identity,
// the service ports lockdown has opened for it and every connection open to it (all cut on detach).
class EmulatedDevice {
public:
    static constexpr uint16_t kLockdownPort = 62078;

    EmulatedDevice(int deviceId, std::shared_ptr<sim::SimDevice> device, bool wifi);

    int DeviceId() const { return m_deviceId; }
    const std::string& Udid() const { return m_udid; }
    bool IsWifi() const { return m_wifi; }
    sim::SimDevice& Sim() { return *m_device; }
    std::shared_ptr<sim::SimDevice> SharedSim() { return m_device; }
    DeviceIdentity& Identity() { return m_identity; }

    // A fresh port on which the next connection reaches the service.
    uint16_t OpenServicePort(const ServicePort& service);
    // The service waiting on `port`; a port serves one connection.
    std::optional<ServicePort> TakeServicePort(uint16_t port);

    // False when the device has already been detached: the caller must drop the connection.
    bool AddConnection(WireChannel* channel);
    void RemoveConnection(WireChannel* channel);
    void Detach();
    bool IsDetached() const;

private:
    const int m_deviceId;
    const std::shared_ptr<sim::SimDevice> m_device;
    const std::string m_udid;
    const bool m_wifi;
    DeviceIdentity m_identity;

    mutable std::mutex m_mutex;
    bool m_detached = false;
    uint16_t m_nextPort = 49152;
    std::map<uint16_t, ServicePort> m_servicePorts;
    std::set<WireChannel*> m_connections;
};

} // namespace vexa::emulator
