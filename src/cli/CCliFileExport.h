#pragma once

#include <QCoreApplication>
#include <QString>

#include "IPhotoSerialCallback.h"

class CCliProgress;
class ISerialable;
class IVexaManager;
class QEventLoop;

// The window's file export without its transfer dialog: the checked records of a source name device
// files, which the export's writer copies into a folder on its own thread while this draws the progress
// and hands Ctrl+C on as a cancel.
class CCliFileExport : public IPhotoSerialCallback {
    Q_DECLARE_TR_FUNCTIONS(CCliFileExport)
public:
    // `kind` is the export kind of CPhotoSerialThread (media, books, ...). Answers how many files could
    // not be copied, or -1 when the export could not start.
    int Run(ISerialable& source, IVexaManager* manager, int kind, const QString& folder);
    bool WasCancelled() const { return m_cancelled; }

    void OnBegin() override {}
    void OnEnd() override;
    void OnProgress(quint64 done, quint64 total) override;
    void OnError(const char*) override {}
    void OnMsg(const char*) override {}

private:
    bool m_started = false;
    bool m_ended = false;
    bool m_cancelled = false;
    QEventLoop* m_loop = nullptr;
    CCliProgress* m_progress = nullptr;
};
