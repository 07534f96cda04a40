#include "SimPhone.h"

#include <atomic>

#include <QDir>
#include <QTest>

namespace {

// The listener calls back on the simulator's own thread.
std::atomic<int> g_lastArrived{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_lastArrived = handle;
    return 0;
}

bool Fail(const char* step) {
    qWarning("SimPhone: %s failed", step);
    return false;
}

} // namespace

bool SimPhone::Plug(const vexa::sim::LargeDeviceSpec& spec) {
    return Plug(spec.udid.c_str(), [&spec](const QString& root) {
        return vexa::sim::GenerateLargeDevice(root.toStdString(), spec) == 0;
    });
}

bool SimPhone::Plug(const char* udid, const std::function<bool(const QString& root)>& make) {
    m_root = qEnvironmentVariable("VEXA_SIM_ROOT");
    m_udid = udid;
    if (m_root.isEmpty())
        return Fail("VEXA_SIM_ROOT");
    // A device present before start-up also keeps the simulator from generating its demo device.
    QDir(m_root).removeRecursively();
    if (!QDir().mkpath(m_root))
        return Fail("making the simulator folder");
    if (!make(m_root))
        return Fail("making the phone");
    if (IOSInitialize() != 0)
        return Fail("IOSInitialize");
    if (IOSListener(OnDevice) != 0)
        return Fail("IOSListener");
    m_listening = true;
    if (!QTest::qWaitFor([] { return g_lastArrived != 0; }, 10000))
        return Fail("waiting for the phone");
    m_handle = g_lastArrived;
    m_manager = GetVexaManager();
    if (!m_manager || m_manager->SetDeviceHandle(m_handle) != 0)
        return Fail("binding the manager");
    return true;
}

void SimPhone::Release() {
    if (m_manager)
        DeleteVexaManager(&m_manager);
    if (m_listening)
        IOSListener(nullptr);
    m_listening = false;
}

std::filesystem::path SimPhone::Folder() const {
    return std::filesystem::path(m_root.toStdString()) / m_udid;
}

int SimPhone::LastArrived() {
    return g_lastArrived;
}
