#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexa::emulator {

class EmulatedDevice;
class Emulator;
class WireChannel;

// What a device service works with: the muxer, the device it runs on and its connection.
struct ServiceContext {
    Emulator& emulator;
    EmulatedDevice& device;
    WireChannel& channel;
    std::string service; // the fault plan's name of the service
    // Set once a planned error went out in place of an answer: the command it answered has ended.
    bool endedByError = false;
};

// One whole answer of a service and what stands in for it when a fault is planned.
struct Answer {
    std::vector<uint8_t> frame;         // the answer as it goes on the wire
    std::vector<uint8_t> errorFrame;    // the service's way of saying "unknown error"
    std::vector<uint8_t> oversizedHead; // a header announcing far more than will come
};

// Sends the answer, or the fault planned for the service in its place. False when the connection must
// end (dropped, timed out, device detached, or the client has gone).
bool SendAnswer(ServiceContext& context, const Answer& answer);

} // namespace vexa::emulator
