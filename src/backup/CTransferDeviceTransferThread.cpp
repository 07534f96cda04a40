#include "CTransferDeviceTransferThread.h"

#include <QDir>
#include <QElapsedTimer>

#include <vexa/VexaResult.h>

#include "CDeviceLease.h"
#include "CDeviceTransfer.h"

CTransferDeviceTransferThread::CTransferDeviceTransferThread(quintptr source, quintptr target,
                                                             QObject* parent)
    : QThread(parent)
    , m_source(source)
    , m_target(target) {}

CTransferDeviceTransferThread::~CTransferDeviceTransferThread() {
    m_stop = true;
    wait();
}

void CTransferDeviceTransferThread::SetDevices(IVexaManager* source, IVexaManager* target,
                                               const QString& sourceName, const QString& targetName,
                                               std::unique_ptr<CDeviceLease> sourceLease,
                                               std::unique_ptr<CDeviceLease> targetLease) {
    m_sourceManager = source;
    m_targetManager = target;
    m_sourceName = sourceName;
    m_targetName = targetName;
    m_sourceLease = std::move(sourceLease);
    m_targetLease = std::move(targetLease);
}

QString CTransferDeviceTransferThread::WorkFolder() {
    return QDir::tempPath() + QStringLiteral("/Vexa Manager Transfer");
}

void CTransferDeviceTransferThread::Stop() {
    m_stop = true;
}

void CTransferDeviceTransferThread::run() {
    if (m_source == 0 || m_target == 0)
        return;
    int result = VEXA_E_UNPLUGGED;
    CTransferCounts counts;
    if (m_sourceLease && m_targetLease) {
        CDeviceTransfer transfer(m_sourceManager, m_targetManager, m_sourceName, WorkFolder());
        // A category's last step always reaches the dialog; the steps between at most every 50 ms.
        QElapsedTimer sinceReport;
        sinceReport.start();
        transfer.SetProgress([this, &sinceReport](int category, int done, int total) {
            if (done == total || sinceReport.elapsed() >= 50) {
                sinceReport.restart();
                emit emitProgress(category, done, total);
            }
        });
        transfer.SetStop([this] { return m_stop.load(); });
        result = transfer.Run();
        counts = transfer.Counts();
    }
    m_sourceLease.reset();
    m_targetLease.reset();
    emit emitResult(result, counts.PassedOver(),
                    CDeviceTransfer::SummaryText(counts, m_sourceName, m_targetName));
    emit sucesses();
}
