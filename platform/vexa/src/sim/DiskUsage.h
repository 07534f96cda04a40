#pragma once

#include <cstdint>

#include <vexa/VexaRecords.h>

namespace vexa::sim {

class SimDevice;

// What the files of a device take, by the categories the storage view shows. Sizes are the real sizes
// of the files in the device folder.
struct DiskUsage {
    uint64_t music = 0;
    uint64_t photos = 0;
    uint64_t video = 0;
    uint64_t documents = 0;
    uint64_t books = 0;
    uint64_t apps = 0;
    uint64_t other = 0;

    uint64_t Used() const { return music + photos + video + documents + books + apps + other; }

    static DiskUsage Measure(const SimDevice& device);
    void FillDiskInfo(const SimDevice& device, DiskInfo& info) const;
};

} // namespace vexa::sim
