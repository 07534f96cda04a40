#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vexa::sim {

// A photo written straight into a device folder (<root>/<udid>) for tests and benchmarks that need
// exact dates and names: the file is copied to `devicePath` below the device's media and a row added.
struct SimPhoto {
    std::string devicePath; // "/DCIM/100APPLE/IMG_0001.JPG"
    int64_t date = 0;       // seconds since 2001-01-01 UTC
    int kind = 1;           // 1 taken on the device, 2 synced from a computer
    int width = 640;
    int height = 480;
};
int AddPhotoFile(const std::filesystem::path& deviceFolder, const std::filesystem::path& source,
                 const SimPhoto& photo);

} // namespace vexa::sim
