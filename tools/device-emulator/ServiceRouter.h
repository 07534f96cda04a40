#pragma once

#include <memory>
#include <string>

namespace vexa::emulator {

class EmulatedDevice;
class Emulator;
class WireChannel;
struct ServicePort;

// Runs the device's `service` on a connection the muxer has handed over, until either side leaves or
// the device is detached.
void ServeDeviceConnection(Emulator& emulator, const std::shared_ptr<EmulatedDevice>& device,
                           WireChannel& channel, const ServicePort& port);

} // namespace vexa::emulator
