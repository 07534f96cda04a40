#include "CTransferDeviceInitThread.h"

CTransferDeviceInitThread::CTransferDeviceInitThread(const IDeviceDirectory* directory, QObject* parent)
    : QThread(parent)
    , m_directory(directory) {}

CTransferDeviceInitThread::~CTransferDeviceInitThread() {
    wait();
}

void CTransferDeviceInitThread::run() {
    if (m_directory)
        m_devices = m_directory->ConnectedDevices() + m_directory->OpenBackups();
    m_records.clear();
    for (const CConnectedDevice& device : m_devices) {
        // A copy of the device's record: its texts stay the manager's, valid while the device is connected.
        DeviceInfo record{};
        if (device.record)
            record = *device.record;
        m_records.push_back(record);
    }
    emit sucesses(m_records.empty() ? nullptr : m_records.data(), int(m_records.size()));
}
