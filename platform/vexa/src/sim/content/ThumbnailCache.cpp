#include "ThumbnailCache.h"

#include <sys/stat.h>

#include "formats/ImageFile.h"

namespace vexa::sim {

namespace {

// A file is known by its inode, size and time of change: the same path may later hold another picture
// (a deleted photo's name is given out again), while hard links to one picture share one thumbnail.
std::string KeyOf(const std::filesystem::path& image) {
    struct stat info {};
    if (::stat(image.c_str(), &info) != 0)
        return image.string();
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + "|" +
           std::to_string(info.st_size) + "|" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec);
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
