#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vexa::sim {

// JPEG thumbnails made on first request. The cache keeps the most recently used ones up to a byte
// budget, so browsing tens of thousands of photos does not keep all of them; a thumbnail handed out
// stays alive as long as someone holds its pointer.
class ThumbnailCache {
public:
    static constexpr int kMaxSide = 160;
    static constexpr size_t kDefaultBudget = 24u << 20;

    explicit ThumbnailCache(size_t budgetBytes = kDefaultBudget)
        : m_budget(budgetBytes) {}

    // Null when the file cannot be decoded as a picture.
    std::shared_ptr<const std::vector<uint8_t>> Get(const std::filesystem::path& image);
    size_t HeldBytes() const;

private:
    using Thumbnail = std::shared_ptr<const std::vector<uint8_t>>;
    struct Entry {
        Thumbnail bytes;
        std::list<std::string>::iterator age;
    };

    mutable std::mutex m_mutex;
    size_t m_budget;
    size_t m_held = 0;
    std::list<std::string> m_ages; // most recent first
    std::unordered_map<std::string, Entry> m_thumbnails;
};

} // namespace vexa::sim
