#include "ThumbnailCache.h"

#include "formats/ImageFile.h"

namespace vexa::sim {

namespace {

// The same path may later hold another picture (a deleted photo's name is given out again), so the
// key includes the file's size and time of change.
std::string KeyOf(const std::filesystem::path& image) {
    std::error_code error;
    const auto size = std::filesystem::file_size(image, error);
    const auto written = std::filesystem::last_write_time(image, error).time_since_epoch().count();
    return image.string() + "|" + std::to_string(size) + "|" + std::to_string(written);
}

} // namespace

std::shared_ptr<const std::vector<uint8_t>> ThumbnailCache::Get(const std::filesystem::path& image) {
    {
        std::lock_guard lock(m_mutex);
        auto found = m_thumbnails.find(KeyOf(image));
        if (found != m_thumbnails.end())
            return found->second;
    }
    // Decoding runs unlocked so that threads asking for different photos do not wait for each other.
    auto bytes = formats::MakeJpegThumbnail(image, kMaxSide);
    if (bytes.empty())
        return nullptr;
    auto thumbnail = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    std::lock_guard lock(m_mutex);
    return m_thumbnails.emplace(KeyOf(image), thumbnail).first->second;
}

} // namespace vexa::sim
