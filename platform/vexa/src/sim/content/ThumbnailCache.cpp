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
    const std::string key = KeyOf(image);
    {
        std::lock_guard lock(m_mutex);
        auto found = m_thumbnails.find(key);
        if (found != m_thumbnails.end()) {
            m_ages.splice(m_ages.begin(), m_ages, found->second.age);
            return found->second.bytes;
        }
    }
    // Decoding runs unlocked so that threads asking for different photos do not wait for each other.
    auto bytes = formats::MakeJpegThumbnail(image, kMaxSide);
    if (bytes.empty())
        return nullptr;
    auto thumbnail = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    std::lock_guard lock(m_mutex);
    auto [slot, added] = m_thumbnails.try_emplace(key);
    if (!added)
        return slot->second.bytes;
    m_ages.push_front(key);
    slot->second = Entry{thumbnail, m_ages.begin()};
    m_held += thumbnail->size();
    while (m_held > m_budget && m_ages.size() > 1) {
        auto oldest = m_thumbnails.find(m_ages.back());
        m_held -= oldest->second.bytes->size();
        m_thumbnails.erase(oldest);
        m_ages.pop_back();
    }
    return thumbnail;
}

size_t ThumbnailCache::HeldBytes() const {
    std::lock_guard lock(m_mutex);
    return m_held;
}

} // namespace vexa::sim
