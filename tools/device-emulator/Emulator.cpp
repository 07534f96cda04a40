#include "Emulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "ControlCommands.h"
#include "EmulatedDevice.h"
#include "MuxConnection.h"
#include "MuxProtocol.h"
#include "WireChannel.h"
#include "sim/DeviceState.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

namespace fs = std::filesystem;

namespace {

// The simulator's own programs see a change of the root within half a second; the muxer keeps pace.
constexpr int kRescanMs = 200;

} // namespace

Emulator::Emulator(EmulatorOptions options)
    : m_options(std::move(options))
    , m_pairRecords(m_options.stateFolder)
    , m_trust(m_options.trustPending ? TrustMode::Pending : TrustMode::Trusting)
    , m_legacyBackup(m_options.legacyBackup) {
    if (::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        m_wakePipe[0] = m_wakePipe[1] = -1;
}

Emulator::~Emulator() {
    Stop();
    // Long device work (a backup being made) stops as it would when the cable is pulled.
    for (const auto& device : Devices())
        device->Detach();
    reapThreads(true);
    for (int fd : {m_muxFd, m_controlFd, m_wakePipe[0], m_wakePipe[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
    if (m_muxFd >= 0)
        ::unlink(m_options.socketPath.c_str());
    if (m_controlFd >= 0)
        ::unlink(m_options.controlPath.c_str());
}

bool Emulator::openSocket(const fs::path& path, int& fd) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.string().size() >= sizeof address.sun_path)
        return false;
    std::strcpy(address.sun_path, path.c_str());
    ::unlink(path.c_str());
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    return ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(fd, 64) == 0;
}

bool Emulator::Run() {
    if (m_wakePipe[0] < 0 || !openSocket(m_options.socketPath, m_muxFd))
        return false;
    if (!m_options.controlPath.empty() && !openSocket(m_options.controlPath, m_controlFd))
        return false;
    if (m_options.readCommandsFromStdin)
        startThread([this] { serveStdin(); });
    Rescan();
    while (!m_stopping) {
        pollfd fds[3] = {{m_wakePipe[0], POLLIN, 0}, {m_muxFd, POLLIN, 0}, {m_controlFd, POLLIN, 0}};
        const int ready = ::poll(fds, m_controlFd >= 0 ? 3 : 2, kRescanMs);
        if (m_stopping)
            break;
        if (ready > 0 && (fds[1].revents & POLLIN)) {
            const int client = ::accept4(m_muxFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                startThread([this, client] { ServeMuxClient(*this, std::make_unique<WireChannel>(client)); });
        }
        if (ready > 0 && m_controlFd >= 0 && (fds[2].revents & POLLIN)) {
            const int client = ::accept4(m_controlFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                startThread([this, client] { serveControlClient(client); });
        }
        Rescan();
        reapThreads(false);
    }
    return true;
}

void Emulator::Stop() {
    m_stopping = true;
    if (m_wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakePipe[1], &byte, 1);
    }
}

void Emulator::startThread(std::function<void()> body) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::lock_guard lock(m_workersMutex);
    m_workers.push_back({std::thread([body = std::move(body), done] {
                             body();
                             *done = true;
                         }),
                         done});
}

void Emulator::reapThreads(bool all) {
    if (all) {
        std::lock_guard lock(m_channelsMutex);
        for (WireChannel* channel : m_channels)
            channel->Shutdown();
    }
    std::vector<Worker> finished;
    {
        std::lock_guard lock(m_workersMutex);
        auto split = std::partition(m_workers.begin(), m_workers.end(),
                                    [all](const Worker& worker) { return !all && !*worker.done; });
        std::move(split, m_workers.end(), std::back_inserter(finished));
        m_workers.erase(split, m_workers.end());
    }
    for (Worker& worker : finished)
        worker.thread.join();
}

bool Emulator::Register(WireChannel* channel) {
    std::lock_guard lock(m_channelsMutex);
    if (m_stopping)
        return false;
    m_channels.push_back(channel);
    return true;
}

void Emulator::Unregister(WireChannel* channel) {
    std::lock_guard lock(m_channelsMutex);
    m_channels.erase(std::remove(m_channels.begin(), m_channels.end(), channel), m_channels.end());
}

void Emulator::serveControlClient(int fd) {
    WireChannel channel(fd);
    if (!Register(&channel))
        return;
    std::string line;
    char c = 0;
    while (channel.ReadExact(&c, 1)) {
        if (c != '\n') {
            if (line.size() < 4096)
                line += c;
            continue;
        }
        const std::string answer = ExecuteControlCommand(*this, line) + "\n";
        line.clear();
        if (!channel.WriteAll(answer.data(), answer.size()))
            break;
    }
    Unregister(&channel);
}

void Emulator::serveStdin() {
    std::string line;
    char c = 0;
    // Polled, so that Stop() ends this reader too without waiting for another line.
    for (;;) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&input, 1, kRescanMs);
        if (m_stopping)
            return;
        if (ready <= 0)
            continue;
        if (::read(STDIN_FILENO, &c, 1) != 1)
            return;
        if (c != '\n') {
            line += c;
            continue;
        }
        const std::string answer = ExecuteControlCommand(*this, line) + "\n";
        line.clear();
        [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, answer.data(), answer.size());
    }
}

std::shared_ptr<EmulatedDevice> Emulator::FindDevice(int deviceId) {
    std::lock_guard lock(m_devicesMutex);
    for (auto& [udid, device] : m_devices) {
        if (device->DeviceId() == deviceId)
            return device;
    }
    return nullptr;
}

std::shared_ptr<EmulatedDevice> Emulator::FindDevice(const std::string& udid) {
    std::lock_guard lock(m_devicesMutex);
    const auto found = m_devices.find(udid);
    return found == m_devices.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<EmulatedDevice>> Emulator::Devices() {
    std::lock_guard lock(m_devicesMutex);
    std::vector<std::shared_ptr<EmulatedDevice>> devices;
    for (auto& [udid, device] : m_devices)
        devices.push_back(device);
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a->DeviceId() < b->DeviceId(); });
    return devices;
}

bool Emulator::SetPlugged(const std::string& udid, bool plugged) {
    const fs::path folder = m_options.simulatorRoot / udid;
    if (!sim::SimDevice::IsDeviceFolder(folder))
        return false;
    sim::DeviceState state = sim::ReadDeviceState(folder / "state").value_or(sim::DeviceState{});
    state.plugged = plugged;
    if (sim::WriteDeviceState(folder / "state", state) != 0)
        return false;
    Rescan();
    return true;
}

void Emulator::Rescan() {
    std::lock_guard rescan(m_rescanMutex);
    std::map<std::string, bool> present; // UDID -> over the network
    std::error_code error;
    for (fs::directory_iterator it(m_options.simulatorRoot, error), end; !error && it != end;
         it.increment(error)) {
        if (!sim::SimDevice::IsDeviceFolder(it->path()))
            continue;
        const auto state = sim::ReadDeviceState(it->path() / "state");
        if (state && state->plugged)
            present[it->path().filename().string()] = state->wifi;
    }
    std::vector<std::string> gone;
    std::vector<std::pair<std::string, bool>> arrived;
    {
        std::lock_guard lock(m_devicesMutex);
        for (auto& [udid, device] : m_devices) {
            const auto now = present.find(udid);
            if (now == present.end() || now->second != device->IsWifi())
                gone.push_back(udid);
        }
        for (auto& [udid, wifi] : present) {
            const auto known = m_devices.find(udid);
            if (known == m_devices.end() || known->second->IsWifi() != wifi)
                arrived.emplace_back(udid, wifi);
        }
    }
    for (const std::string& udid : gone)
        detach(udid);
    for (const auto& [udid, wifi] : arrived)
        attach(udid, wifi);
}

void Emulator::attach(const std::string& udid, bool wifi) {
    auto sim = std::make_shared<sim::SimDevice>(m_options.simulatorRoot / udid);
    std::lock_guard lock(m_devicesMutex);
    auto device = std::make_shared<EmulatedDevice>(m_nextDeviceId++, std::move(sim), wifi);
    m_devices[udid] = device;
    broadcast(MuxProtocol::AttachedEvent(*device));
}

void Emulator::detach(const std::string& udid) {
    std::shared_ptr<EmulatedDevice> device;
    {
        std::lock_guard lock(m_devicesMutex);
        const auto found = m_devices.find(udid);
        if (found == m_devices.end())
            return;
        device = found->second;
        m_devices.erase(found);
        broadcast(MuxProtocol::DetachedEvent(device->DeviceId()));
    }
    device->Detach();
}

void Emulator::broadcast(const std::vector<uint8_t>& message) {
    for (auto& [id, sink] : m_listeners)
        sink(message);
}

int Emulator::AddListener(EventSink sink) {
    std::lock_guard lock(m_devicesMutex);
    std::vector<std::shared_ptr<EmulatedDevice>> devices;
    for (auto& [udid, device] : m_devices)
        devices.push_back(device);
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a->DeviceId() < b->DeviceId(); });
    for (const auto& device : devices)
        sink(MuxProtocol::AttachedEvent(*device));
    const int id = m_nextListener++;
    m_listeners[id] = std::move(sink);
    return id;
}

void Emulator::RemoveListener(int id) {
    std::lock_guard lock(m_devicesMutex);
    m_listeners.erase(id);
}

} // namespace vexa::emulator
