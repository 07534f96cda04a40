#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FaultPlan.h"
#include "PairRecordStore.h"

namespace vexa::emulator {

class EmulatedDevice;
class WireChannel;

struct EmulatorOptions {
    std::filesystem::path socketPath;  // where clients reach the muxer
    std::filesystem::path controlPath; // line commands; empty: none
    std::filesystem::path simulatorRoot;
    std::filesystem::path stateFolder; // pair records and the system BUID
    bool trustPending = false;
    bool legacyBackup = false;
    bool readCommandsFromStdin = false;
};

enum class TrustMode {
    Trusting, // a pairing request is accepted at once
    Pending,  // the device waits for the user to tap "Trust"
    Denying,  // the user tapped "Don't Trust"
};

// The emulated muxer with its devices: every simulated device whose state is "plugged" is attached (a USB
// cable, or the network for "wifi"), the rest detached, re-read whenever the root changes or a command
// asks. Each client connection runs on a thread of its own; all are cut and joined by Stop().
class Emulator {
public:
    explicit Emulator(EmulatorOptions options);
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Serves until Stop(); false when the sockets cannot be opened.
    bool Run();
    // Safe from a signal handler.
    void Stop();

    const EmulatorOptions& Options() const { return m_options; }
    FaultPlan& Faults() { return m_faults; }
    PairRecordStore& PairRecords() { return m_pairRecords; }
    TrustMode Trust() const { return m_trust; }
    void SetTrust(TrustMode mode) { m_trust = mode; }
    bool LegacyBackup() const { return m_legacyBackup; }
    // Whether StartService asks the client to speak TLS on the new service connection.
    bool ServiceTls() const { return m_serviceTls; }
    void SetServiceTls(bool tls) { m_serviceTls = tls; }
    void SetLegacyBackup(bool legacy) { m_legacyBackup = legacy; }
    // What the last backup session sent the host, for the `backup-stats` control command.
    struct BackupFigures {
        uint64_t files = 0;
        uint64_t bytes = 0;
        uint64_t removed = 0;
        bool incremental = false;
    };
    void SetLastBackup(const BackupFigures& figures) {
        std::lock_guard<std::mutex> lock(m_figuresMutex);
        m_lastBackup = figures;
    }
    BackupFigures LastBackup() {
        std::lock_guard<std::mutex> lock(m_figuresMutex);
        return m_lastBackup;
    }

    std::shared_ptr<EmulatedDevice> FindDevice(int deviceId);
    std::shared_ptr<EmulatedDevice> FindDevice(const std::string& udid);
    std::vector<std::shared_ptr<EmulatedDevice>> Devices();

    // Plugs or unplugs a simulated device's cable and brings the muxer up to date before answering.
    bool SetPlugged(const std::string& udid, bool plugged);
    // Compares the attached devices with the simulator root and tells the listeners.
    void Rescan();

    // Listen clients hear Attached and Detached events, first one for each device attached now.
    using EventSink = std::function<bool(const std::vector<uint8_t>& message)>;
    int AddListener(EventSink sink);
    void RemoveListener(int id);

    // Every connection is registered so that Stop() can wake its thread.
    bool Register(WireChannel* channel);
    void Unregister(WireChannel* channel);

private:
    bool openSocket(const std::filesystem::path& path, int& fd);
    void startThread(std::function<void()> body);
    void reapThreads(bool all);
    void serveControlClient(int fd);
    void serveStdin();
    void attach(const std::string& udid, bool wifi);
    void detach(const std::string& udid);
    void broadcast(const std::vector<uint8_t>& message);

    EmulatorOptions m_options;
    FaultPlan m_faults;
    PairRecordStore m_pairRecords;
    std::atomic<TrustMode> m_trust;
    std::atomic<bool> m_legacyBackup;
    std::mutex m_figuresMutex;
    BackupFigures m_lastBackup;
    std::atomic<bool> m_serviceTls{false};
    std::atomic<bool> m_stopping{false};
    int m_wakePipe[2] = {-1, -1};
    int m_muxFd = -1;
    int m_controlFd = -1;

    std::mutex m_rescanMutex;  // one comparison with the root at a time
    std::mutex m_devicesMutex; // devices, listeners, and the order of their events
    std::map<std::string, std::shared_ptr<EmulatedDevice>> m_devices;
    std::map<int, EventSink> m_listeners;
    int m_nextListener = 1;
    int m_nextDeviceId = 1;

    std::mutex m_channelsMutex;
    std::vector<WireChannel*> m_channels;

    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex m_workersMutex;
    std::vector<Worker> m_workers;
};

} // namespace vexa::emulator
