#include "DeviceListener.h"

#include <chrono>

#include "DeviceRegistry.h"

namespace vexa::sim {

namespace {
constexpr auto kScanInterval = std::chrono::milliseconds(50);
}

DeviceListener::DeviceListener(DeviceRegistry& registry, std::function<bool()> afterRound)
    : m_registry(registry)
    , m_afterRound(std::move(afterRound))
    , m_thread([this] { run(); }) {}

DeviceListener::~DeviceListener() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_roundEnded.notify_all();
    m_thread.join();
}

void DeviceListener::SetCallback(VexaListenerCallback callback) {
    std::unique_lock lock(m_mutex);
    m_callback = callback;
    m_callbackChanged = true;
    m_reportRound = m_roundsStarted + 1;
    m_woken = true;
    m_wake.notify_all();
    if (std::this_thread::get_id() != m_thread.get_id())
        m_delivered.wait(lock, [this] { return m_delivering == 0; });
}

void DeviceListener::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
        m_reportRound = m_roundsStarted + 1;
    }
    m_wake.notify_all();
}

bool DeviceListener::WaitUntilReported(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_roundEnded.wait_for(lock, timeout, [this] { return m_stop || m_quietRound >= m_reportRound; });
}

void DeviceListener::deliver(int mode, int handle) {
    VexaListenerCallback callback = nullptr;
    {
        std::lock_guard lock(m_mutex);
        callback = m_callback;
        if (callback == nullptr)
            return;
        ++m_delivering;
    }
    callback(mode, handle); // no lock held: the callback may call back into the library
    {
        std::lock_guard lock(m_mutex);
        --m_delivering;
    }
    m_delivered.notify_all();
}

void DeviceListener::run() {
    for (;;) {
        bool hasCallback = false;
        uint64_t round = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_stop) {
                return;
            }
            if (m_callbackChanged) {
                m_callbackChanged = false;
                m_announced.clear();
            }
            hasCallback = m_callback != nullptr;
            round = ++m_roundsStarted;
        }
        m_registry.Scan();
        const auto handles = m_registry.Handles();
        const std::set<int> present(handles.begin(), handles.end());
        // Removals first, in handle order; a handle never announced is never reported gone.
        for (auto it = m_announced.begin(); it != m_announced.end();) {
            if (present.count(*it) == 0) {
                const int handle = *it;
                it = m_announced.erase(it);
                deliver(VEXA_DEVICE_REMOVED, handle);
            } else {
                ++it;
            }
        }
        if (hasCallback) {
            for (int handle : handles) {
                if (m_announced.insert(handle).second) {
                    deliver(VEXA_DEVICE_ARRIVED, handle);
                }
            }
        }
        const bool changed = m_afterRound && m_afterRound();
        std::unique_lock lock(m_mutex);
        if (changed) {
            m_woken = true;
        } else {
            m_quietRound = round;
            m_roundEnded.notify_all();
        }
        m_wake.wait_for(lock, kScanInterval, [this] { return m_stop || m_woken; });
        m_woken = false;
    }
}

} // namespace vexa::sim
