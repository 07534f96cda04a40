#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vexa::sim {

// JPEG thumbnails made on first request and kept for the life of the service that handed them out, so
// the pointers in returned records stay valid.
class ThumbnailCache {
public:
    static constexpr int kMaxSide = 160;

    // Null when the file cannot be decoded as a picture.
    std::shared_ptr<const std::vector<uint8_t>> Get(const std::filesystem::path& image);

private:
    std::mutex m_mutex;
    std::unordered_map<std::string, std::shared_ptr<const std::vector<uint8_t>>> m_thumbnails;
};

} // namespace vexa::sim
