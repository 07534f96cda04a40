#pragma once

#include <atomic>
#include <memory>

#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include "CBackupLog.h"

class CDeviceLease;
class IDeviceDirectory;
class IVexaManager;
struct BackupProgress;

// Backs one device up into a folder on its own thread and, when that worked, adds the backup to the log.
// Progress reaches the dialog at most every 100 ms; Cancel() stops the backup after the current file.
class BackupDataThread : public QThread {
    Q_OBJECT
public:
    // Longest folder path the device library takes.
    static constexpr int kMaxFolderLength = 255;

    explicit BackupDataThread(QObject* parent = nullptr);
    ~BackupDataThread() override;

    // GUI thread, before start(): takes a lease on the device's manager and the device's fields for the log.
    void SetBackupInfo(const QString& folder, IVexaManager* manager, const IDeviceDirectory* directory,
                       const QString& logPath = CBackupLog::DefaultPath());
    // A whole new backup, even when the folder holds an earlier one of the device (not the default).
    void SetFull(bool full) { m_full = full; }
    bool Succeeded() const { return m_success; }
    // Of the last backup's files, those copied from the device (the others were unchanged since the
    // folder's earlier backup and taken from it).
    quint64 FilesCopied() const { return m_filesCopied; }
    quint64 BytesCopied() const { return m_bytesCopied; }
    int LastResult() const { return m_result; }

public slots:
    void Cancel();

signals:
    void Sucesses();
    void BackupFail();
    void BackupCancelled();
    void emitProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone, qint64 bytesTotal);

protected:
    void run() override;

private:
    static int OnProgress(const BackupProgress* progress, void* context);
    void Fail(int result);

    QString m_folder;
    std::atomic<bool> m_success{false};
    std::atomic<int> m_result{0};
    IVexaManager* m_manager = nullptr;
    const IDeviceDirectory* m_directory = nullptr;
    std::unique_ptr<CDeviceLease> m_lease;
    QString m_logPath;
    CBackupLogEntry m_entry;
    std::atomic<bool> m_cancel{false};
    QElapsedTimer m_sinceReport;
    quint64 m_bytesTotal = 0;
    std::atomic<quint64> m_filesCopied{0};
    std::atomic<quint64> m_bytesCopied{0};
    bool m_full = false;
};
