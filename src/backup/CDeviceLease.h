#pragma once

#include <memory>

class IDeviceDirectory;
class IVexaManager;

// A worker's claim on a device manager. The navigation widget releases a removed device's manager only
// after WaitForRelease(), so a backup, restore or transfer running on another thread never calls into a
// manager that is gone. A lease is taken on the GUI thread, before the worker starts.
class CDeviceLease {
public:
    // Null when the manager no longer belongs to a connected device.
    static std::unique_ptr<CDeviceLease> Take(const IDeviceDirectory& directory, IVexaManager* manager);
    // Blocks until every lease on `manager` has ended. The workers holding one see the device gone at
    // their next device call and end quickly; they never wait for the GUI thread.
    static void WaitForRelease(IVexaManager* manager);

    explicit CDeviceLease(IVexaManager* manager);
    ~CDeviceLease();
    CDeviceLease(const CDeviceLease&) = delete;
    CDeviceLease& operator=(const CDeviceLease&) = delete;

    IVexaManager* Manager() const { return m_manager; }

private:
    IVexaManager* m_manager;
};
