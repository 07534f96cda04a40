#pragma once

#include <cstdint>
#include <vector>

#include "formats/Plist.h"

namespace vexa::emulator {

class EmulatedDevice;
class WireChannel;

// The muxer's framing: a 16-byte little-endian header (total length, protocol version, message type,
// tag) followed by an XML plist. Only version 1 (plist messages) is spoken.
class MuxProtocol {
public:
    static constexpr uint32_t kPlistVersion = 1;
    static constexpr uint32_t kPlistMessage = 8;
    static constexpr uint32_t kMaxMessage = 1u << 20;

    enum Result : uint64_t {
        Ok = 0,
        BadCommand = 1,
        BadDevice = 2,
        ConnectionRefused = 3,
        BadVersion = 6,
    };

    struct Message {
        uint32_t version = 0;
        uint32_t type = 0;
        uint32_t tag = 0;
        formats::PlistPtr body; // null when the payload is not a plist
    };

    // False when the client went away or sent a header no muxer would accept.
    static bool Read(WireChannel& channel, Message& message);
    static std::vector<uint8_t> Frame(plist_t body, uint32_t tag);
    static bool WriteResult(WireChannel& channel, uint32_t tag, uint64_t result);

    static formats::PlistPtr DeviceProperties(EmulatedDevice& device);
    static std::vector<uint8_t> AttachedEvent(EmulatedDevice& device);
    static std::vector<uint8_t> DetachedEvent(int deviceId);
};

} // namespace vexa::emulator
