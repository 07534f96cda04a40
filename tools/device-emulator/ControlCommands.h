#pragma once

#include <string>

namespace vexa::emulator {

class Emulator;

// One line of the control socket or standard input; answers "ok" or "error: <why>" (see --help).
std::string ExecuteControlCommand(Emulator& emulator, const std::string& line);

} // namespace vexa::emulator
