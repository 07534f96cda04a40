#include "CCliFileExport.h"

#include <QEventLoop>
#include <QTimer>

#include "CCliInterrupt.h"
#include "CCliProgress.h"
#include "CPhotoSerialImpl.h"
#include "ISerialable.h"

namespace {
constexpr int kInterruptPollMs = 50;
}

int CCliFileExport::Run(ISerialable& source, IVexaManager* manager, int kind, const QString& folder) {
    CCliProgress progress(tr("Copying"));
    m_progress = &progress;
    CPhotoSerialImpl writer(manager, kind, this);
    // Collecting the records reports their items too; only the copy's end counts.
    source.Serialize(&writer);
    m_started = true;
    if (!writer.Export(folder.toStdString()))
        return -1;
    QEventLoop loop;
    m_loop = &loop;
    QTimer interrupt;
    QObject::connect(&interrupt, &QTimer::timeout, &loop, [this, &writer] {
        if (CCliInterrupt::Requested() && !m_cancelled) {
            m_cancelled = true;
            writer.Cancel();
        }
    });
    interrupt.start(kInterruptPollMs);
    if (!m_ended)
        loop.exec();
    m_loop = nullptr;
    progress.Finish();
    m_progress = nullptr;
    return writer.FailedCount();
}

void CCliFileExport::OnEnd() {
    if (!m_started || m_ended)
        return;
    m_ended = true;
    if (m_loop)
        m_loop->quit();
}

void CCliFileExport::OnProgress(quint64 done, quint64 total) {
    if (m_progress)
        m_progress->Update(qint64(done), qint64(total), 0, 0);
}
