#pragma once

#include <atomic>
#include <memory>

#include <QString>
#include <QThread>

class CDeviceLease;
class IVexaManager;

// Carries out a transfer between two devices, known to the dialog by their identifiers. Both must be
// non-zero; with a zero identifier the thread ends without a word.
class CTransferDeviceTransferThread : public QThread {
    Q_OBJECT
public:
    CTransferDeviceTransferThread(quintptr source, quintptr target, QObject* parent = nullptr);
    ~CTransferDeviceTransferThread() override;

    // GUI thread, before start(): the devices behind the identifiers and the leases that keep them.
    void SetDevices(IVexaManager* source, IVexaManager* target, const QString& sourceName,
                    const QString& targetName, std::unique_ptr<CDeviceLease> sourceLease,
                    std::unique_ptr<CDeviceLease> targetLease);
    // The working folder in the system temporary folder, emptied at the start of a transfer.
    static QString WorkFolder();

public slots:
    void Stop();

signals:
    void sucesses();
    void emitProgress(int category, int done, int total);
    // passedOver: the categories (bits as in CTransferCounts) one of the devices cannot give or take yet.
    void emitResult(int result, int passedOver, const QString& summary);

protected:
    void run() override;

private:
    quintptr m_source;
    quintptr m_target;
    IVexaManager* m_sourceManager = nullptr;
    IVexaManager* m_targetManager = nullptr;
    QString m_sourceName;
    QString m_targetName;
    std::unique_ptr<CDeviceLease> m_sourceLease;
    std::unique_ptr<CDeviceLease> m_targetLease;
    std::atomic<bool> m_stop{false};
};
