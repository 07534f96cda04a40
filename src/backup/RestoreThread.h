#pragma once

#include <atomic>
#include <memory>

#include <QElapsedTimer>
#include <QString>
#include <QThread>

class CDeviceLease;
class IDeviceService;
struct BackupProgress;

// Restores one backup folder onto a device on its own thread. The device library checks the whole
// backup (and the password) before it changes the device, so a failure leaves the device as it was.
class RestoreThread : public QThread {
    Q_OBJECT
public:
    explicit RestoreThread(QObject* parent = nullptr);
    ~RestoreThread() override;

    // GUI thread, before start(). The lease keeps the service's manager alive until run() ends.
    void SetRestoreInfo(IDeviceService* service, std::unique_ptr<CDeviceLease> lease, const QString& folder,
                        const QString& password);
    bool Succeeded() const { return m_success; }
    int LastResult() const { return m_result; }

public slots:
    void Cancel();

signals:
    void emitRestoreSucesses(bool success);
    void emitProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone, qint64 bytesTotal);

protected:
    void run() override;

private:
    static int OnProgress(const BackupProgress* progress, void* context);

    IDeviceService* m_service = nullptr;
    std::unique_ptr<CDeviceLease> m_lease;
    QString m_folder;
    QString m_password;
    std::atomic<bool> m_success{false};
    std::atomic<int> m_result{0};
    std::atomic<bool> m_cancel{false};
    QElapsedTimer m_sinceReport;
};
