// A simulated device's device.json: properties, battery, storage sizes and the backup password.
#include "FuzzRegistry.h"
#include "sim/DeviceInfoFile.h"

using namespace vexa::sim;

VEXA_FUZZ_TARGET(sim_device_info) {
    const std::filesystem::path file = fuzz::Scratch() / "device.json";
    fuzz::WriteFile(file, data, size);
    DeviceInfoFile info;
    DeviceInfoFile::Load(file, info);
    return 0;
}
