#include "RestoreThread.h"

#include <vexa/VexaServices.h>

#include "CDeviceLease.h"

namespace {
constexpr qint64 kReportIntervalMs = 100;
}

RestoreThread::RestoreThread(QObject* parent)
    : QThread(parent) {}

RestoreThread::~RestoreThread() {
    m_cancel = true;
    wait();
}

void RestoreThread::SetRestoreInfo(IDeviceService* service, std::unique_ptr<CDeviceLease> lease,
                                   const QString& folder, const QString& password) {
    m_service = service;
    m_lease = std::move(lease);
    m_folder = folder;
    m_password = password;
}

void RestoreThread::Cancel() {
    m_cancel = true;
}

int RestoreThread::OnProgress(const BackupProgress* progress, void* context) {
    auto* self = static_cast<RestoreThread*>(context);
    const bool last = progress->filesDone == progress->filesTotal;
    if (last || !self->m_sinceReport.isValid() || self->m_sinceReport.elapsed() >= kReportIntervalMs) {
        self->m_sinceReport.restart();
        emit self->emitProgress(qint64(progress->filesDone), qint64(progress->filesTotal),
                                qint64(progress->bytesDone), qint64(progress->bytesTotal));
    }
    return self->m_cancel ? 1 : 0;
}

void RestoreThread::run() {
    m_sinceReport.invalidate();
    int result = VEXA_E_UNPLUGGED;
    if (m_service && m_lease) {
        const auto* folder = reinterpret_cast<const char16_t*>(m_folder.utf16());
        // The system code page is UTF-8 here.
        const QByteArray password = m_password.toUtf8();
        result = m_service->RestoreDeviceWithProgress(
            folder, m_password.isEmpty() ? nullptr : password.constData(), &RestoreThread::OnProgress, this);
    }
    m_lease.reset();
    m_result = result;
    m_success = result == VEXA_OK;
    emit emitRestoreSucesses(m_success);
}
