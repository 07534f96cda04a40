#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include <QMap>

#include <vexa/vexa.h>

#include "IDetectiPhoneCallback.h"
#include "QUtilThread.h"

class QDetectiPhoneAdapter;

// The one listener of the device library in the process. On the library's thread it turns an arrival
// into a bound manager and the device record, and hands the news to the GUI thread through its adapter.
// Both maps are read and written from two threads, so every access goes through m_lock and hands out
// copies; a manager or record pointer stays valid until the GUI releases the device with ReleaseDevice.
class CSingleDetectiPhone : public QUtilThread {
public:
    static CSingleDetectiPhone* Instance();
    ~CSingleDetectiPhone() override;

    // Replaces the adapter; null stops reporting. News that arrived while no callback was attached is
    // delivered to the new one from the event loop, so a device plugged in at start-up is not lost.
    void SetDetectCallback(IDetectiPhoneCallback* callback);

    QMap<int, IVexaManager*> Managers() const;
    QMap<int, DeviceInfo*> Records() const;
    IVexaManager* ManagerOf(int deviceHandle) const;
    // The record of the manager's device, or null (no manager, or the device gave no record).
    DeviceInfo* RecordOf(IVexaManager* manager) const;

    // Removes the device from both maps and returns its manager for the caller to release once nothing
    // uses it any more; null when the handle is unknown.
    IVexaManager* TakeDevice(int deviceHandle);
    // Removes every device from both maps and returns their managers.
    QMap<int, IVexaManager*> TakeAllDevices();

    // A device the program opened itself (a backup folder): added to both maps and reported as an
    // arrival, as the library reports a plugged-in device. False, and the manager released, when its
    // handle is taken.
    bool AddOpenedDevice(IVexaManager* manager);
    // Reports the removal of such a device; the navigation then releases its manager.
    void CloseOpenedDevice(int deviceHandle);

    int LastHandle() const;
    void StopThread();

    // Handed to IOSListener; runs on the device library's notification thread.
    static int OnDeviceNotify(int mode, int deviceHandle);

protected:
    void Run() override {}

private:
    CSingleDetectiPhone();

    void OnArrival(int deviceHandle);
    void OnRemoval(int deviceHandle);
    void OnUntrusted(bool failed, int deviceHandle);
    void Report(tagDetectiPhoneState state, int deviceHandle);

    mutable std::mutex m_lock;
    std::unique_ptr<QDetectiPhoneAdapter> m_adapter;
    // News that came before any callback was attached, in order.
    std::vector<std::pair<tagDetectiPhoneState, int>> m_pending;
    std::set<int> m_untrusted; // handles that asked for trust and have not arrived
    bool m_listening = false;
    int m_lastHandle = -1;
    QMap<int, IVexaManager*> m_managers;
    QMap<int, DeviceInfo*> m_records;
};
