#include "BackupDataThread.h"

#include <QDebug>

#include <vexa/IVexaManager.h>

#include "CDeviceLease.h"
#include "IDeviceDirectory.h"

namespace {
constexpr qint64 kReportIntervalMs = 100;
}

BackupDataThread::BackupDataThread(QObject* parent)
    : QThread(parent) {}

BackupDataThread::~BackupDataThread() {
    m_cancel = true;
    wait();
}

void BackupDataThread::SetBackupInfo(const QString& folder, IVexaManager* manager,
                                     const IDeviceDirectory* directory, const QString& logPath) {
    m_folder = folder;
    m_manager = manager;
    m_directory = directory;
    m_logPath = logPath;
    m_lease = directory ? CDeviceLease::Take(*directory, manager) : nullptr;
    m_entry = CBackupLogEntry();
    if (directory) {
        for (const CConnectedDevice& device : directory->ConnectedDevices()) {
            if (device.manager == manager) {
                m_entry.name = device.name;
                m_entry.deviceClass = device.deviceClass;
                m_entry.serialNumber = device.serialNumber;
            }
        }
    }
}

void BackupDataThread::Cancel() {
    m_cancel = true;
}

void BackupDataThread::Fail(int result) {
    m_result = result;
    m_success = false;
    m_lease.reset();
    if (m_cancel && result == VEXA_E_CANCELLED)
        emit BackupCancelled();
    else
        emit BackupFail();
}

int BackupDataThread::OnProgress(const BackupProgress* progress, void* context) {
    auto* self = static_cast<BackupDataThread*>(context);
    self->m_bytesTotal = progress->bytesTotal;
    self->m_filesCopied = progress->filesCopied;
    self->m_bytesCopied = progress->bytesCopied;
    const bool last = progress->filesDone == progress->filesTotal;
    if (last || !self->m_sinceReport.isValid() || self->m_sinceReport.elapsed() >= kReportIntervalMs) {
        self->m_sinceReport.restart();
        emit self->emitProgress(qint64(progress->filesDone), qint64(progress->filesTotal),
                                qint64(progress->bytesDone), qint64(progress->bytesTotal));
    }
    return self->m_cancel ? 1 : 0;
}

void BackupDataThread::run() {
    m_success = true;
    m_sinceReport.invalidate();
    m_filesCopied = m_bytesCopied = 0;
    if (!m_lease || !m_directory || !m_directory->IsConnected(m_manager)) {
        Fail(VEXA_E_UNPLUGGED);
        return;
    }
    // The device library takes the folder in a buffer of 256 characters.
    if (m_folder.isEmpty() || m_folder.size() > kMaxFolderLength) {
        qDebug() << "BackupDataThread::run folder path too long:" << m_folder.size();
        Fail(VEXA_E_INVALID_ARGUMENT);
        return;
    }
    IDeviceService* service = m_manager->GetDeviceService();
    const int result =
        service
            ? service->BackupDeviceWithProgress(reinterpret_cast<const char16_t*>(m_folder.utf16()),
                                                m_full ? BACKUP_FULL : 0, &BackupDataThread::OnProgress, this)
            : int(VEXA_E_UNPLUGGED);
    if (result != VEXA_OK) {
        Fail(result);
        return;
    }
    m_lease.reset();
    m_entry.filepath = m_folder;
    m_entry.greateDate = CBackupLog::TimeText(QDateTime::currentDateTime());
    m_entry.backupSize = QString::number(m_bytesTotal);
    if (!CBackupLog(m_logPath).Append(m_entry))
        qDebug() << "BackupDataThread::run the backup log could not be written:" << m_logPath;
    emit Sucesses();
}
