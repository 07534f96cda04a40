#include "CPhotoSerialThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "CPhotoSerialAction_App.h"
#include "CPhotoSerialAction_Media.h"
#include "CPhotoSerialAction_Photo.h"
#include "CPhotoSerialAction_iBook.h"
#include "CPhotoSerialCallbackAdapter.h"

CPhotoSerialThread::CPhotoSerialThread(IVexaManager* manager, int kind, IPhotoSerialCallback* callback,
                                       std::string destination, const std::vector<PhotoSerialEntry>* entries)
    : m_kind(kind)
    , m_destination(std::move(destination))
    , m_adapter(std::make_unique<CPhotoSerialCallbackAdapter>(callback, [this] { return IsStopRequested(); }))
    , m_entries(entries)
    , m_manager(manager) {}

CPhotoSerialThread::~CPhotoSerialThread() {
    StopAndWait();
    // The adapter goes here, on the widget thread it lives on; a run that never ended reports its
    // end now.
    m_adapter.reset();
}

std::unique_ptr<IPhotoSerialAction> CPhotoSerialThread::CreateAction(int kind, IVexaManager* manager) {
    switch (kind) {
    case kExportPhotos:
        return std::make_unique<CPhotoSerialAction_Photo>(manager);
    case kExportPhotosAsJpeg:
        return std::make_unique<CPhotoSerialAction_Photo>(manager, CPhotoSerialAction_Photo::ToJpeg);
    case kExportMedia:
        return std::make_unique<CPhotoSerialAction_Media>(manager);
    case kExportBooks:
        return std::make_unique<CPhotoSerialAction_iBook>(manager);
    case kExportApps:
        return std::make_unique<CPhotoSerialAction_App>(manager);
    default:
        return nullptr;
    }
}

void CPhotoSerialThread::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("PhotoSerialThread"));
    std::unique_ptr<IPhotoSerialAction> action = CreateAction(m_kind, m_manager);
    if (m_destination.empty() || !action || m_entries == nullptr) {
        m_adapter->Finish();
        return;
    }
    const quint64 total = m_entries->size();
    m_adapter->EmitProgress(0, total);
    const QByteArray message = QCoreApplication::translate("CPhotoSerialThread", "Copying files to %1")
                                   .arg(QString::fromStdString(m_destination))
                                   .toUtf8();
    // Every report waits until the widget thread has shown it. The text never changes, and a bar moved
    // every few milliseconds looks the same as one moved per file, so a thousand small files do not wait
    // a thousand times.
    constexpr qint64 kReportEveryMs = 20;
    QElapsedTimer sinceReport;
    sinceReport.start();
    m_adapter->EmitMsg(message.constData());
    quint64 done = 0;
    for (const PhotoSerialEntry& entry : *m_entries) {
        if (IsStopRequested() || m_cancelled) {
            break;
        }
        if (action->Execute(m_destination.c_str(), &entry) == IPhotoSerialAction::Failed) {
            ++m_failed;
        }
        if (sinceReport.elapsed() >= kReportEveryMs) {
            m_adapter->EmitProgress(done, total);
            sinceReport.restart();
        }
        ++done;
    }
    m_adapter->EmitProgress(done, done);
    action.reset();
    if (m_failed > 0) {
        const QByteArray failures =
            QCoreApplication::translate("CPhotoSerialThread", "%1 file(s) could not be copied.")
                .arg(m_failed)
                .toUtf8();
        m_adapter->EmitError(failures.constData());
    }
    m_adapter->Finish();
}
