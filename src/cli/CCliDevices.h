#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include <QCoreApplication>
#include <QList>
#include <QString>

#include "IDeviceDirectory.h"

// The devices plugged in while a command runs. Start() starts the device library, listens, and waits
// until the devices plugged in now have been reported: on the simulator until it says so, on usb long
// enough for usbmuxd and the devices' pairing to answer. Each device gets a
// manager of its own, released (after the listener) when this object goes.
class CCliDevices : public IDeviceDirectory {
    Q_DECLARE_TR_FUNCTIONS(CCliDevices)
public:
    CCliDevices();
    ~CCliDevices() override;
    CCliDevices(const CCliDevices&) = delete;
    CCliDevices& operator=(const CCliDevices&) = delete;

    // Waits for the plugged devices; returns early once `wantedUdid` (when given) has arrived.
    // A device-library result: 0, or why the library could not start.
    int Start(const QString& wantedUdid = QString());

    QList<CConnectedDevice> ConnectedDevices() const override;
    bool IsConnected(IVexaManager* manager) const override;
    // Devices that wait for the user to trust this computer, or refused to.
    int UntrustedCount() const;
    // "sim" or "usb": the backend VEXA_BACKEND chose.
    static QString BackendName();

    // The device `udid` names, or the only one plugged in when `udid` is empty. Null otherwise, after
    // the complaint (with the list of devices when there are several) has gone to standard error.
    const CConnectedDevice* Choose(const QString& udid) const;

    // The device record's property, empty when the device does not report it.
    static QString Property(const CConnectedDevice& device, int property);

private:
    struct Plugged;
    static int OnNotify(int mode, int handle);
    void Notify(int mode, int handle);
    void BindArrivals();

    mutable std::mutex m_mutex;
    std::vector<int> m_arrivals; // reported, not yet bound
    std::set<int> m_gone;        // removed while this command ran
    std::set<int> m_untrusted;   // waiting for trust, or pairing failed
    std::chrono::steady_clock::time_point m_lastEvent;
    bool m_anyEvent = false;
    bool m_listening = false;
    std::vector<std::unique_ptr<Plugged>> m_devices;
};
