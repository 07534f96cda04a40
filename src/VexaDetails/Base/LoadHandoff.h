#pragma once

#include <memory>
#include <mutex>

// Carries one load's result from the thread that read it to the GUI thread that shows it. The reading
// thread puts; the slot its "ended" signal reaches takes; a newer result replaces one not yet taken.
template <typename Result> class LoadHandoff {
public:
    void Put(std::unique_ptr<Result> result) {
        std::lock_guard lock(m_mutex);
        m_result = std::move(result);
    }

    // The waiting result, or null when there is none (a load torn down, or one taken already).
    std::unique_ptr<Result> Take() {
        std::lock_guard lock(m_mutex);
        return std::move(m_result);
    }

private:
    std::mutex m_mutex;
    std::unique_ptr<Result> m_result;
};
