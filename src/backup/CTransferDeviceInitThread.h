#pragma once

#include <vector>

#include <QList>
#include <QThread>

#include <vexa/VexaRecords.h>

#include "IDeviceDirectory.h"

// Gathers the connected devices for the transfer dialog and reports them once as an array of device
// records (owned by this thread object) and its count.
class CTransferDeviceInitThread : public QThread {
    Q_OBJECT
public:
    explicit CTransferDeviceInitThread(const IDeviceDirectory* directory, QObject* parent = nullptr);
    ~CTransferDeviceInitThread() override;

    // Valid once sucesses() has been emitted, until the thread object is deleted.
    const QList<CConnectedDevice>& Devices() const { return m_devices; }

signals:
    void sucesses(DeviceInfo* list, int count);

protected:
    void run() override;

private:
    const IDeviceDirectory* m_directory;
    QList<CConnectedDevice> m_devices;
    std::vector<DeviceInfo> m_records;
};
