#include "ThumbnailCache.h"

#include "formats/ImageFile.h"

namespace vexa::sim {

std::shared_ptr<const std::vector<uint8_t>> ThumbnailCache::Get(const std::filesystem::path& image) {
    {
        std::lock_guard lock(m_mutex);
        auto found = m_thumbnails.find(image.string());
        if (found != m_thumbnails.end())
            return found->second;
    }
    // Decoding runs unlocked so that threads asking for different photos do not wait for each other.
    auto bytes = formats::MakeJpegThumbnail(image, kMaxSide);
    if (bytes.empty())
        return nullptr;
    auto thumbnail = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    std::lock_guard lock(m_mutex);
    return m_thumbnails.emplace(image.string(), thumbnail).first->second;
}

void ThumbnailCache::Forget(const std::filesystem::path& image) {
    std::lock_guard lock(m_mutex);
    auto found = m_thumbnails.find(image.string());
    if (found == m_thumbnails.end())
        return;
    m_retired.push_back(found->second);
    m_thumbnails.erase(found);
}

} // namespace vexa::sim
