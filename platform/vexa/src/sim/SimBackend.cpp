#include "SimBackend.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include <openssl/crypto.h>

#include <vexa/VexaResult.h>

#include "ContentServices.h"
#include "DeviceListener.h"
#include "DeviceProfile.h"
#include "SimDevice.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

bool hasDevices(const fs::path& root) {
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (fs::exists(it->path() / "device.json", error)) {
            return true;
        }
    }
    return false;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

SimBackend& SimBackend::Instance() {
    static SimBackend backend;
    return backend;
}

SimBackend::~SimBackend() {
    m_listener.reset();
}

fs::path SimBackend::RootFromEnvironment() {
    const std::string root = environment("VEXA_SIM_ROOT");
    if (!root.empty()) {
        return root;
    }
    fs::path data = environment("XDG_DATA_HOME");
    if (data.empty()) {
        data = fs::path(environment("HOME")) / ".local/share";
    }
    return data / "vexa-transfer/simulator";
}

int SimBackend::Initialize() {
    std::lock_guard lock(m_mutex);
    std::error_code error;
    if (!m_listener) {
        m_listener = std::make_unique<DeviceListener>(m_registry, [this] { return makeDemoDeviceIfDue(); });
    }
    const fs::path root = RootFromEnvironment();
    fs::create_directories(root, error);
    if (error) {
        std::fprintf(stderr, "vexa: cannot create the simulator root %s: %s\n", root.c_str(),
                     error.message().c_str());
        return VEXA_E_IO;
    }
    // A root that cannot be written and holds no device will never show one: the caller must say so.
    const bool empty = !hasDevices(root);
    const bool writable = ::access(root.c_str(), W_OK) == 0;
    if (empty && writable) {
        m_demoRoot = root;
        m_demoDue = true;
    }
    m_registry.SetRoot(root);
    m_listener->Wake();
    if (empty && !writable) {
        std::fprintf(stderr, "vexa: the simulator root %s cannot be written\n", root.c_str());
        return VEXA_E_IO;
    }
    return VEXA_OK;
}

bool SimBackend::makeDemoDeviceIfDue() {
    if (!m_demoDue.exchange(false)) {
        return false;
    }
    registerExitWait();
    fs::path root;
    {
        std::lock_guard lock(m_mutex);
        if (m_exiting) {
            return false;
        }
        root = m_demoRoot;
        m_makingDemo = true;
    }
    const int result = GenerateDemoDevice(root, NewUdid("Demo iPhone"), "Demo iPhone");
    if (result != VEXA_OK) {
        std::fprintf(stderr, "vexa: the demo device could not be made in %s (error %d)\n", root.c_str(),
                     result);
    }
    {
        std::lock_guard lock(m_mutex);
        m_makingDemo = false;
    }
    m_demoIdle.notify_all();
    return result == VEXA_OK;
}

void SimBackend::finishDemoBeforeExit() {
    std::unique_lock lock(m_mutex);
    m_exiting = true;
    m_demoIdle.wait(lock, [this] { return !m_makingDemo; });
}

// The listener thread makes the demo device with OpenSSL (through libzip), FFmpeg and SQLite. A
// process that exits meanwhile runs the libraries' own clean-up under it, so exit waits for the
// making first. Handlers run in reverse order of registration, so OpenSSL registers its own first
// (a call with options it has already done registers nothing, hence real options).
void SimBackend::registerExitWait() {
    static std::once_flag once;
    std::call_once(once, [] {
        OPENSSL_init_crypto(OPENSSL_INIT_ADD_ALL_CIPHERS | OPENSSL_INIT_ADD_ALL_DIGESTS, nullptr);
        std::atexit([] { Instance().finishDemoBeforeExit(); });
    });
}

void SimBackend::Suspend() {
    std::lock_guard lock(m_mutex);
    m_demoDue = false;
    m_registry.SetRoot({});
    if (m_listener) {
        m_listener->Wake();
    }
}

int SimBackend::SetCallback(VexaListenerCallback callback) {
    std::lock_guard lock(m_mutex);
    if (!m_listener) {
        m_listener = std::make_unique<DeviceListener>(m_registry, [this] { return makeDemoDeviceIfDue(); });
    }
    m_listener->SetCallback(callback);
    return VEXA_OK;
}

bool SimBackend::WaitUntilReported(std::chrono::milliseconds timeout) {
    DeviceListener* listener = nullptr;
    {
        std::lock_guard lock(m_mutex);
        listener = m_listener.get();
    }
    // Waited for without the lock: the listener's thread takes it to make the demo device. The
    // listener lives as long as the backend.
    return listener != nullptr && listener->WaitUntilReported(timeout);
}

} // namespace vexa::sim
