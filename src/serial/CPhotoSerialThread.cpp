#include "CPhotoSerialThread.h"

#include <algorithm>
#include <thread>

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
    const int lanes = std::clamp(action->Lanes(), 1, kMostLanes);
    if (lanes > 1) {
        // The names are handed out in the list's order before any copy starts, so two records of one
        // title are told apart the same way whichever copy ends first.
        for (const PhotoSerialEntry& entry : *m_entries) {
            action->LocalPath(m_destination.c_str(), entry);
        }
    }
    std::atomic<size_t> next{0};
    std::atomic<quint64> done{0};
    const auto copyEntries = [&](bool reports) {
        for (;;) {
            if (IsStopRequested() || m_cancelled) {
                return;
            }
            const size_t at = next++;
            if (at >= m_entries->size()) {
                return;
            }
            if (action->Execute(m_destination.c_str(), &(*m_entries)[at]) == IPhotoSerialAction::Failed) {
                ++m_failed;
            }
            ++done;
            if (reports && sinceReport.elapsed() >= kReportEveryMs) {
                m_adapter->EmitProgress(done, total);
                sinceReport.restart();
            }
        }
    };
    // The other lanes copy beside this thread, which alone reports; it waits for them before the end.
    std::vector<std::thread> others;
    for (int lane = 1; lane < lanes; ++lane) {
        others.emplace_back(copyEntries, false);
    }
    copyEntries(true);
    for (std::thread& other : others) {
        other.join();
    }
    m_adapter->EmitProgress(done.load(), done.load());
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
