#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace vexa::sim {

// Storage behind the arrays and texts one operation hands out. Everything kept here stays at the same
// address until Clear(), so records may point into it freely.
class ResultArena {
public:
    void Clear() {
        m_texts.clear();
        m_texts16.clear();
        m_blocks.clear();
    }

    const char* Keep(std::string text) { return m_texts.emplace_back(std::move(text)).c_str(); }
    const char16_t* Keep16(std::u16string text) { return m_texts16.emplace_back(std::move(text)).c_str(); }

    const uint8_t* KeepBytes(std::vector<uint8_t> bytes) {
        auto block = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
        m_blocks.push_back(block);
        return block->data();
    }

    // Value-initialised records; null for an empty array so callers never read past a count of 0.
    template <class Record> Record* NewArray(size_t count) {
        if (count == 0) {
            return nullptr;
        }
        auto block = std::make_shared<Record[]>(count);
        m_blocks.push_back(block);
        return block.get();
    }

private:
    std::deque<std::string> m_texts;
    std::deque<std::u16string> m_texts16;
    std::vector<std::shared_ptr<void>> m_blocks;
};

// One buffer per calling thread: a result handed to a thread stays valid until that same thread calls
// the same operation again, whatever other threads do meanwhile.
template <class Buffer = ResultArena> class PerThreadResults {
public:
    Buffer& ForCurrentThread() {
        std::lock_guard lock(m_mutex);
        auto& slot = m_buffers[std::this_thread::get_id()];
        if (!slot) {
            slot = std::make_unique<Buffer>();
        }
        return *slot;
    }

private:
    std::mutex m_mutex;
    std::unordered_map<std::thread::id, std::unique_ptr<Buffer>> m_buffers;
};

} // namespace vexa::sim
