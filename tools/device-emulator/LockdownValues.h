#pragma once

#include <string>

#include "formats/Plist.h"

namespace vexa::emulator {

class EmulatedDevice;

// The values lockdown answers GetValue with, read from the simulated device each time: its properties
// (no domain), storage (com.apple.disk_usage), battery (com.apple.mobile.battery) and backup settings
// (com.apple.mobile.backup).
class LockdownValues {
public:
    // The whole domain when `key` is empty; null when the domain or key does not exist.
    static formats::PlistPtr Get(EmulatedDevice& device, const std::string& domain, const std::string& key);
    // Only the device name can be changed; false for anything else.
    static bool Set(EmulatedDevice& device, const std::string& domain, const std::string& key, plist_t value);

private:
    static formats::PlistPtr domainValues(EmulatedDevice& device, const std::string& domain);
};

} // namespace vexa::emulator
