#pragma once

#include <string>

// Device texts are not always valid UTF-8. Every file we write must open in other programs, so broken
// sequences become U+FFFD; valid text passes unchanged, byte for byte.
std::string RepairUtf8(const char* text);
