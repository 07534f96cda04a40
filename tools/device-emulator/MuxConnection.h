#pragma once

#include <memory>

namespace vexa::emulator {

class Emulator;
class WireChannel;

// Serves one client of the muxer socket until it leaves: queries, Listen (then only events), or Connect
// (then the connection belongs to the device's service on that port).
void ServeMuxClient(Emulator& emulator, std::unique_ptr<WireChannel> channel);

} // namespace vexa::emulator
