#include "QAddBookAction.h"

#include <QFileInfo>
#include <QThread>

#include <vexa/VexaServices.h>

QAddBookAction::QAddBookAction(QObject* parent)
    : QBaseAction(parent) {}

QAddBookAction::~QAddBookAction() {
    StopAndWait();
}

bool QAddBookAction::StartProcess() {
    return Start();
}

void QAddBookAction::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("AddBookAction"));
    // Even without a list the dialog must hear the end, or it would wait for ever.
    if (m_files == nullptr) {
        NotifyEnd();
        return;
    }
    const int total = static_cast<int>(m_files->size());
    for (int i = 0; i < total; ++i) {
        const QString& path = m_files->at(i);
        const QFileInfo file(path);
        const QString line = QStringLiteral("add book(%1/%2):%3").arg(i).arg(total).arg(file.baseName());
        NotifyMsg(line.toUtf8().constData());
        if (!file.exists()) {
            continue;
        }
        NotifyProgress(i, total);
        if (m_service != nullptr) {
            m_service->AddBook(reinterpret_cast<const char16_t*>(path.utf16()));
        }
    }
    NotifyEnd();
}
