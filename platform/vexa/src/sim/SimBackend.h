#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include <vexa/vexa.h>

#include "DeviceRegistry.h"

namespace vexa::sim {

class DeviceListener;

// The simulator's process-wide state behind the exports: the simulator root,
// the registry of connected devices and the notification thread.
class SimBackend {
public:
    static SimBackend& Instance();
    ~SimBackend();

    // Reads VEXA_BACKEND and VEXA_SIM_ROOT again; a changed root replaces every device.
    int Initialize();
    // Another backend serves devices: every simulated device leaves.
    void Suspend();
    int SetCallback(VexaListenerCallback callback);
    // True once the callback set last has heard of every device present (the demo device included,
    // when one is being made); false after `timeout`.
    bool WaitUntilReported(std::chrono::milliseconds timeout);
    DeviceRegistry& Registry() { return m_registry; }

    // $VEXA_SIM_ROOT, else $XDG_DATA_HOME/vexa-transfer/simulator (XDG_DATA_HOME defaults to ~/.local/share).
    static std::filesystem::path RootFromEnvironment();

private:
    SimBackend() = default;
    // True when it made one.
    bool makeDemoDeviceIfDue();
    // At process exit: no new demo device is begun, and one being made is finished first.
    void finishDemoBeforeExit();
    static void registerExitWait();

    std::mutex m_mutex;
    DeviceRegistry m_registry;
    std::unique_ptr<DeviceListener> m_listener;
    std::atomic<bool> m_demoDue{false};
    std::filesystem::path m_demoRoot;
    bool m_makingDemo = false;
    bool m_exiting = false;
    std::condition_variable m_demoIdle;
};

} // namespace vexa::sim
