#pragma once

#include <QTimer>

#include "QImageDialog.h"
#include "QUtilThread.h"

class QImageProgressBar;
class QLabel;

// A modal dialog that runs one device job on its own worker and shows how far it got, read on a timer
// from what the job updates. It closes itself when the job ends; the user cannot dismiss it earlier,
// since a device call cannot be taken back halfway.
class QWorkProgressDlg : public QImageDialog, public QUtilThread {
    Q_OBJECT
public:
    explicit QWorkProgressDlg(int intervalMs, QWidget* parent = nullptr);
    ~QWorkProgressDlg() override;

    // Shows the dialog, starts the job once it is up and returns when the job has ended.
    int exec() override;
    void reject() override;
    bool IsEnded() const { return m_ended; }

    QLabel* TitleLabel() const { return m_labelTitle; }
    QLabel* Label() const { return m_labelText; }
    QImageProgressBar* ProgressBar() const { return m_progressBar; }

signals:
    void launchTimer();
    void threadDone();

protected:
    // The job, on the worker thread.
    virtual void Work() = 0;
    // Shows the job's progress; on the interface thread, on every tick and once at the end.
    virtual void UpdateProgress() = 0;

private:
    void Run() final;
    void OnThreadDone();

    QTimer m_timer;
    QLabel* m_labelTitle;
    QLabel* m_labelText;
    QImageProgressBar* m_progressBar;
    bool m_ended = false;
};
