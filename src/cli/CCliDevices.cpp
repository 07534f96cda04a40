#include "CCliDevices.h"

#include <atomic>
#include <thread>

#include <QStringList>

#include <vexa/COwnManager.h>
#include <vexa/PresentDevices.h>
#include <vexa/vexa.h>

#include "CCliOutput.h"

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::atomic<CCliDevices*> g_listening{nullptr};

// Long enough for the simulator to make its demo device in an empty folder.
constexpr int kReportedWithinMs = 5000;

struct Settle {
    milliseconds afterLastArrival;
    milliseconds withoutArrival;
};

// How long the library is given to report what is plugged in now, where it cannot say itself. The
// simulator reports every present device in its first round, at once; usbmuxd answers within a few hundred
// milliseconds, and a device's pairing takes a round trip more.
Settle SettleTime() {
    switch (IOSTransportState()) {
    case VEXA_TRANSPORT_SIMULATOR:
        return {milliseconds(20), milliseconds(60)};
    case VEXA_TRANSPORT_LISTENING:
        return {milliseconds(300), milliseconds(2000)};
    default: // no usbmuxd: nothing will arrive
        return {milliseconds(0), milliseconds(0)};
    }
}

} // namespace

struct CCliDevices::Plugged {
    int handle = 0;
    COwnManager manager;
    CConnectedDevice device;
};

CCliDevices::CCliDevices() = default;

CCliDevices::~CCliDevices() {
    if (m_listening) {
        // Once IOSListener returns, the callback no longer runs: the managers may go.
        IOSListener(nullptr);
        g_listening = nullptr;
    }
    m_devices.clear();
}

QString CCliDevices::BackendName() {
    return IOSTransportState() == VEXA_TRANSPORT_SIMULATOR ? QStringLiteral("sim") : QStringLiteral("usb");
}

int CCliDevices::OnNotify(int mode, int handle) {
    if (CCliDevices* self = g_listening.load())
        self->Notify(mode, handle);
    return 0;
}

void CCliDevices::Notify(int mode, int handle) {
    std::lock_guard lock(m_mutex);
    m_lastEvent = Clock::now();
    m_anyEvent = true;
    switch (mode) {
    case VEXA_DEVICE_ARRIVED:
        m_untrusted.erase(handle);
        m_gone.erase(handle);
        m_arrivals.push_back(handle);
        break;
    case VEXA_DEVICE_REMOVED:
        m_untrusted.erase(handle);
        m_gone.insert(handle);
        break;
    case VEXA_DEVICE_TRUST_PENDING:
    case VEXA_DEVICE_PAIRING_FAILED:
        m_untrusted.insert(handle);
        break;
    default:
        break;
    }
}

int CCliDevices::Start(const QString& wantedUdid) {
    const int started = IOSInitialize();
    if (started != VEXA_OK)
        return started;
    const Clock::time_point begin = Clock::now();
    g_listening = this;
    m_listening = true;
    IOSListener(&CCliDevices::OnNotify);
    // The simulator says when it has reported what it holds: no waiting on a guess then.
    if (IOSWaitForPresentDevices(kReportedWithinMs) == VEXA_OK) {
        BindArrivals();
        return VEXA_OK;
    }
    const Settle settle = SettleTime();
    for (;;) {
        BindArrivals();
        if (!wantedUdid.isEmpty())
            for (const auto& plugged : m_devices)
                if (plugged->device.udid == wantedUdid)
                    return VEXA_OK;
        {
            std::lock_guard lock(m_mutex);
            const Clock::time_point now = Clock::now();
            if (m_anyEvent ? now - m_lastEvent >= settle.afterLastArrival
                           : now - begin >= settle.withoutArrival)
                break;
        }
        std::this_thread::sleep_for(milliseconds(2));
    }
    BindArrivals();
    return VEXA_OK;
}

void CCliDevices::BindArrivals() {
    std::vector<int> arrivals;
    {
        std::lock_guard lock(m_mutex);
        arrivals.swap(m_arrivals);
    }
    for (int handle : arrivals) {
        auto plugged = std::make_unique<Plugged>();
        plugged->handle = handle;
        plugged->manager = OwnManagerFor(handle);
        if (!plugged->manager)
            continue;
        DeviceInfo* record = nullptr;
        if (!plugged->manager->GetDeviceInfo(&record) || record == nullptr)
            continue;
        CConnectedDevice& device = plugged->device;
        device.manager = plugged->manager.get();
        device.record = record;
        const auto text = [record](int property) {
            return QString::fromUtf8(record->properties[property] ? record->properties[property] : "");
        };
        device.name = text(DP_DeviceName);
        device.serialNumber = text(DP_SerialNumber);
        device.deviceClass = text(DP_DeviceClass);
        device.udid = text(DP_UniqueDeviceID);
        m_devices.push_back(std::move(plugged));
    }
}

QList<CConnectedDevice> CCliDevices::ConnectedDevices() const {
    std::lock_guard lock(m_mutex);
    QList<CConnectedDevice> devices;
    for (const auto& plugged : m_devices)
        if (m_gone.count(plugged->handle) == 0)
            devices.append(plugged->device);
    return devices;
}

bool CCliDevices::IsConnected(IVexaManager* manager) const {
    std::lock_guard lock(m_mutex);
    for (const auto& plugged : m_devices)
        if (plugged->manager.get() == manager)
            return m_gone.count(plugged->handle) == 0;
    return false;
}

int CCliDevices::UntrustedCount() const {
    std::lock_guard lock(m_mutex);
    return int(m_untrusted.size());
}

QString CCliDevices::Property(const CConnectedDevice& device, int property) {
    if (!device.record || property < 0 || property >= DP_Count || !device.record->properties[property])
        return QString();
    return QString::fromUtf8(device.record->properties[property]);
}

const CConnectedDevice* CCliDevices::Choose(const QString& udid) const {
    const QList<CConnectedDevice> devices = ConnectedDevices();
    if (!udid.isEmpty()) {
        for (const auto& plugged : m_devices)
            if (plugged->device.udid == udid && IsConnected(plugged->manager.get()))
                return &plugged->device;
        CCliOutput::Error(tr("no device with the UDID %1 is plugged in").arg(udid));
        return nullptr;
    }
    if (devices.size() == 1) {
        for (const auto& plugged : m_devices)
            if (plugged->device.manager == devices.front().manager)
                return &plugged->device;
    }
    if (devices.isEmpty()) {
        CCliOutput::Error(UntrustedCount() > 0
                              ? tr("the device does not trust this computer yet: unlock it and tap \"Trust\"")
                              : tr("no device is plugged in"));
        return nullptr;
    }
    // The list is part of the one line, so a script that reads standard output sees nothing there.
    QStringList names;
    for (const CConnectedDevice& device : devices)
        names.append(QStringLiteral("%1 (%2)").arg(device.udid, device.name));
    CCliOutput::Error(tr("%n devices are plugged in; name one with -u UDID: %1", nullptr, int(devices.size()))
                          .arg(names.join(QStringLiteral(", "))));
    return nullptr;
}
