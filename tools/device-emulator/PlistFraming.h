#pragma once

#include <cstdint>
#include <vector>

#include "ServiceContext.h"
#include "formats/Plist.h"

namespace vexa::emulator {

class WireChannel;

using formats::PlistPtr;

// The framing of the lockdown-style services: a 32-bit big-endian length, then an XML or binary plist.
class PlistFraming {
public:
    // Larger messages are refused rather than allocated: no service of a device sends one.
    static constexpr uint32_t kMaxMessage = 32u << 20;

    // Null when the peer went away or sent something that is not a plist.
    static PlistPtr Read(WireChannel& channel);
    static bool Write(WireChannel& channel, plist_t message, bool binary = false);
    static bool WriteRaw(WireChannel& channel, const std::vector<uint8_t>& payload);
    // One framed message (length, then plist) as a device sends it.
    static bool WriteFrame(WireChannel& channel, const std::vector<uint8_t>& frame);
    static std::vector<uint8_t> Frame(plist_t message, bool binary = false);
    // An answer of a plist service, with `error` (a reply of the same service) for the planned
    // unknown-error fault.
    static Answer MakeAnswer(plist_t reply, plist_t error, bool binary = false);
};

} // namespace vexa::emulator
