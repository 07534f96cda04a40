#pragma once

#include <map>
#include <string>

namespace vexa::sim {

// Realistic identity of a device of a given product type: the 43 properties a device reports (absent
// keys are properties the model does not have, such as an IMEI on an iPod touch) and its storage sizes.
struct DeviceProfile {
    std::map<std::string, std::string> properties;
    int batteryLevel = 80;
    uint64_t dataCapacity = 0;
    uint64_t systemCapacity = 0;
    uint64_t systemFree = 0;

    static DeviceProfile Make(const std::string& udid, const std::string& name,
                              const std::string& productType);
};

// A new 40-digit hexadecimal device identifier; deterministic when a seed is given.
std::string NewUdid(const std::string& seed = {});

} // namespace vexa::sim
