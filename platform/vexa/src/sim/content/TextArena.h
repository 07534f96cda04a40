#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace vexa::sim {

// Zero-terminated copies of many short texts in a few large blocks, so that a listing of hundreds of
// thousands of records does not allocate once per string. Pointers stay valid until Clear().
class TextArena {
public:
    const char* Add(std::string_view text);
    const char* AddOrNull(const char* text) { return text ? Add(text) : nullptr; }
    void Clear();

private:
    static constexpr size_t kBlockSize = 256 * 1024;
    std::vector<std::shared_ptr<char[]>> m_blocks; // shared: a copied arena keeps its texts alive
    size_t m_used = kBlockSize;
    size_t m_capacity = kBlockSize;
};

} // namespace vexa::sim
