#pragma once

#include <QByteArray>
#include <QStringList>

#include "IDlgProxyProcess.h"
#include "QBaseAction.h"
#include "QUtilThread.h"

class IBookService;

// Adds book files from the computer to the device on a thread of its own, reporting one message per
// file and progress for each file that exists. The device's answers are not examined: the books page
// learns the outcome from its reload.
class QAddBookAction : public QBaseAction, public IDlgProxyProcess, public QUtilThread {
    Q_OBJECT
public:
    explicit QAddBookAction(QObject* parent = nullptr);
    // Waits for the thread, keeping the widget thread's events flowing.
    ~QAddBookAction() override;

    void SetBookService(IBookService* service) { m_service = service; }
    // The list stays the caller's and must outlive the job.
    void SetFileList(QStringList* files) { m_files = files; }

    bool StartProcess() override;

protected:
    void Run() override;

private:
    QStringList* m_files = nullptr;
    QByteArray m_text;
    IBookService* m_service = nullptr;
};
