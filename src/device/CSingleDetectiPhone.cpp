#include "CSingleDetectiPhone.h"

#include <atomic>

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

#include "QDetectiPhoneAdapter.h"
#include "QMessageDlg.h"

namespace {

constexpr int kRecordAttempts = 4;

// Set before the listener is registered, so a notification that comes while Instance() is still being
// built never re-enters Instance().
std::atomic<CSingleDetectiPhone*> s_detector{nullptr};

} // namespace

CSingleDetectiPhone* CSingleDetectiPhone::Instance() {
    // Destroyed at process exit, before the device library's own statics (built during our constructor).
    static CSingleDetectiPhone detector;
    return &detector;
}

CSingleDetectiPhone::CSingleDetectiPhone() {
    s_detector.store(this);
    const int initResult = IOSInitialize();
    qDebug() << "IOSInitialize return " << initResult;
    if (initResult != 0) {
        // Most often a home folder that cannot be written: no device would ever appear.
        ShowMessage(QCoreApplication::translate("CSingleDetectiPhone",
                                                "Device detection could not start (error %1). Please check "
                                                "that your home folder can be written.")
                        .arg(initResult),
                    QString(), MSG_ERROR);
    }
    if (IOSListener(&CSingleDetectiPhone::OnDeviceNotify) != 0) {
        ShowMessage(QCoreApplication::translate("CSingleDetectiPhone", "IOSListener register failed!"),
                    QString(), MSG_ERROR);
        return;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_listening = true;
}

CSingleDetectiPhone::~CSingleDetectiPhone() {
    IOSListener(nullptr);
    s_detector.store(nullptr);
    StopThread();
    std::unique_ptr<QDetectiPhoneAdapter> adapter;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        adapter = std::move(m_adapter);
    }
    adapter.reset();
    // Whatever the navigation widget did not release: the process is ending, nobody uses these now.
    const QMap<int, IVexaManager*> managers = TakeAllDevices();
    for (IVexaManager* manager : managers) {
        IVexaManager* released = manager;
        DeleteVexaManager(&released);
    }
}

void CSingleDetectiPhone::SetDetectCallback(IDetectiPhoneCallback* callback) {
    std::unique_ptr<QDetectiPhoneAdapter> previous;
    std::vector<std::pair<tagDetectiPhoneState, int>> pending;
    QDetectiPhoneAdapter* adapter = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        previous = std::move(m_adapter);
        if (callback) {
            m_adapter = std::make_unique<QDetectiPhoneAdapter>(callback);
            adapter = m_adapter.get();
            pending.swap(m_pending);
            // An arrival whose device has since been released has nothing left to show.
            std::erase_if(pending, [this](const auto& news) {
                return news.first == DETECT_IPHONE_READY && !m_managers.contains(news.second);
            });
        }
    }
    // Delivered from the event loop: the caller is usually still inside its own constructor.
    for (const auto& [state, deviceHandle] : pending) {
        QMetaObject::invokeMethod(
            adapter, [adapter, state, deviceHandle] { adapter->DoiPhoneStateChange(state, deviceHandle); },
            Qt::QueuedConnection);
    }
}

QMap<int, IVexaManager*> CSingleDetectiPhone::Managers() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_managers;
}

QMap<int, DeviceInfo*> CSingleDetectiPhone::Records() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_records;
}

IVexaManager* CSingleDetectiPhone::ManagerOf(int deviceHandle) const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_managers.value(deviceHandle, nullptr);
}

DeviceInfo* CSingleDetectiPhone::RecordOf(IVexaManager* manager) const {
    if (!manager)
        return nullptr;
    const int deviceHandle = manager->GetDeviceHandle();
    std::lock_guard<std::mutex> guard(m_lock);
    return m_records.value(deviceHandle, nullptr);
}

IVexaManager* CSingleDetectiPhone::TakeDevice(int deviceHandle) {
    std::lock_guard<std::mutex> guard(m_lock);
    QMap<int, DeviceInfo*> records = m_records;
    records.remove(deviceHandle);
    m_records = records;
    QMap<int, IVexaManager*> managers = m_managers;
    IVexaManager* manager = managers.take(deviceHandle);
    m_managers = managers;
    return manager;
}

QMap<int, IVexaManager*> CSingleDetectiPhone::TakeAllDevices() {
    std::lock_guard<std::mutex> guard(m_lock);
    QMap<int, IVexaManager*> managers;
    managers.swap(m_managers);
    m_records = {};
    return managers;
}

int CSingleDetectiPhone::LastHandle() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lastHandle;
}

void CSingleDetectiPhone::StopThread() {
    RequestStop();
    WaitForThread();
}

int CSingleDetectiPhone::OnDeviceNotify(int mode, int deviceHandle) {
    qDebug() << "mode:" << mode << " devinfo:" << deviceHandle;
    CSingleDetectiPhone* detector = s_detector.load();
    if (!detector)
        return 0;
    {
        std::lock_guard<std::mutex> guard(detector->m_lock);
        detector->m_lastHandle = deviceHandle;
    }
    if (mode == VEXA_DEVICE_ARRIVED)
        detector->OnArrival(deviceHandle);
    else if (mode == VEXA_DEVICE_REMOVED)
        detector->OnRemoval(deviceHandle);
    else if (mode == VEXA_DEVICE_TRUST_PENDING || mode == VEXA_DEVICE_PAIRING_FAILED)
        detector->OnUntrusted(mode == VEXA_DEVICE_PAIRING_FAILED, deviceHandle);
    return 0;
}

void CSingleDetectiPhone::OnArrival(int deviceHandle) {
    if (IsWiFiConnect(deviceHandle) != 0)
        return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_untrusted.erase(deviceHandle);
    }
    IVexaManager* manager = GetVexaManager();
    if (!manager) {
        qWarning() << "GetVexaManager gave no manager for device" << deviceHandle;
        return;
    }
    manager->SetDeviceHandle(deviceHandle);
    manager->GetFileService();

    DeviceInfo* record = nullptr;
    for (int attempt = 0; attempt < kRecordAttempts; ++attempt) {
        if (manager->GetDeviceInfo(&record))
            break;
        record = nullptr;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_managers.contains(deviceHandle)) {
            // Pages and views may already hold the first manager; a repeated arrival must not pull it away.
            qWarning() << "Repeated arrival of device" << deviceHandle << "ignored";
        } else {
            QMap<int, IVexaManager*> managers = m_managers;
            managers.insert(deviceHandle, manager);
            m_managers = managers;
            if (record) {
                QMap<int, DeviceInfo*> records = m_records;
                records.insert(deviceHandle, record);
                m_records = records;
            }
            manager = nullptr;
        }
    }
    if (manager) {
        DeleteVexaManager(&manager);
        return;
    }
    Report(DETECT_IPHONE_READY, deviceHandle);
    qDebug() << "CSingleDetectiPhone singal Connect sucessful.";
}

bool CSingleDetectiPhone::AddOpenedDevice(IVexaManager* manager) {
    if (!manager)
        return false;
    const int deviceHandle = manager->GetDeviceHandle();
    DeviceInfo* record = nullptr;
    if (!manager->GetDeviceInfo(&record))
        record = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_managers.contains(deviceHandle) || !record) {
            DeleteVexaManager(&manager);
            return false;
        }
        QMap<int, IVexaManager*> managers = m_managers;
        managers.insert(deviceHandle, manager);
        m_managers = managers;
        QMap<int, DeviceInfo*> records = m_records;
        records.insert(deviceHandle, record);
        m_records = records;
    }
    Report(DETECT_IPHONE_READY, deviceHandle);
    return true;
}

void CSingleDetectiPhone::CloseOpenedDevice(int deviceHandle) {
    OnRemoval(deviceHandle);
}

void CSingleDetectiPhone::OnUntrusted(bool failed, int deviceHandle) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_untrusted.insert(deviceHandle);
    }
    Report(failed ? DETECT_IPHONE_PAIRING_FAILED : DETECT_IPHONE_TRUST_PENDING, deviceHandle);
}

void CSingleDetectiPhone::OnRemoval(int deviceHandle) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        // A device unplugged before it trusted us takes its prompt with it.
        if (!m_records.contains(deviceHandle) && m_untrusted.erase(deviceHandle) == 0)
            return;
    }
    Report(DETECT_IPHONE_GONE, deviceHandle);
    qDebug() << "CSingleDetectiPhone singal no Connect.";
}

void CSingleDetectiPhone::Report(tagDetectiPhoneState state, int deviceHandle) {
    std::unique_lock<std::mutex> guard(m_lock);
    if (!m_adapter) {
        m_pending.emplace_back(state, deviceHandle);
        return;
    }
    QDetectiPhoneAdapter* adapter = m_adapter.get();
    if (adapter->thread() == QThread::currentThread()) {
        // A direct call reaches the callback, which reads the maps: the lock must be free by then. Only
        // this thread replaces the adapter, so it stays valid.
        guard.unlock();
        emit adapter->iPhoneStateChange(state, deviceHandle);
        return;
    }
    // Queued; holding the lock keeps the GUI thread from deleting the adapter during the emission.
    emit adapter->iPhoneStateChange(state, deviceHandle);
}
