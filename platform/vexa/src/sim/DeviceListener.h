#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include <vexa/vexa.h>

namespace vexa::sim {

class DeviceRegistry;

// The library's notification thread. It rescans the simulator root every 50 ms (a change made by
// vexa-simctl in another process is seen well within half a second) and calls the registered callback
// with arrivals and removals, one at a time and in order, so a removal never overtakes its arrival.
// A newly registered callback first hears of every device already present.
class DeviceListener {
public:
    // `afterRound` runs on the thread after each round of notifications (it makes the demo device when
    // one is due, so removals from a previous root are not held up by it).
    DeviceListener(DeviceRegistry& registry, std::function<void()> afterRound);
    ~DeviceListener();
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    // Once it returns, the previous callback is no longer running (unless the callback itself called it):
    // its owner may be destroyed right after.
    void SetCallback(VexaListenerCallback callback);
    // Removals caused outside the thread (a new root) are delivered by the next round.
    void Wake();

private:
    void run();
    void deliver(int mode, int handle);

    DeviceRegistry& m_registry;
    std::function<void()> m_afterRound;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_woken = false;
    VexaListenerCallback m_callback = nullptr;
    bool m_callbackChanged = false;
    int m_delivering = 0; // callbacks in flight, run without the lock
    std::condition_variable m_delivered;
    std::set<int> m_announced; // handles the current callback has been told about
    std::thread m_thread;
};

} // namespace vexa::sim
