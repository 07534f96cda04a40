#include "TextArena.h"

#include <algorithm>
#include <cstring>

namespace vexa::sim {

const char* TextArena::Add(std::string_view text) {
    const size_t needed = text.size() + 1;
    if (m_blocks.empty() || m_used + needed > m_capacity) {
        m_capacity = std::max(kBlockSize, needed);
        m_blocks.push_back(std::shared_ptr<char[]>(new char[m_capacity]));
        m_used = 0;
    }
    char* copy = m_blocks.back().get() + m_used;
    // An empty view may have no data at all (a NULL column), and memcpy from null is undefined.
    if (!text.empty())
        std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    m_used += needed;
    return copy;
}

void TextArena::Clear() {
    m_blocks.clear();
    m_used = m_capacity = kBlockSize;
}

} // namespace vexa::sim
