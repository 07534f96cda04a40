#pragma once

#include <atomic>
#include <string>
#include <vector>

#include <QDialog>

#include "CDeviceUpload.h"
#include "QUtilThread.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of an upload into the device. The copy runs on the dialog's own thread with a file
// service of its own (the view's manager may go with an unplug while the dialog is open); the dialog
// closes itself when the copy ends. Cancel stops after the file being copied.
class QUploadDlg : public QDialog, public QUtilThread {
    Q_OBJECT
public:
    QUploadDlg(int deviceHandle, const std::string& appId, std::vector<CDeviceUpload::Step> steps,
               QWidget* parent = nullptr);
    ~QUploadDlg() override;

    // Runs the copy modally; the number of steps that failed (or were not done after a cancel).
    int RunModal();
    bool WasCancelled() const { return m_cancelled; }

signals:
    void progress(int done, int total);
    void uploadFinished(int failed);

protected:
    void Run() override;

private slots:
    void OnProgress(int done, int total);
    void OnFinished(int failed);

private:
    int m_deviceHandle;
    std::string m_appId;
    std::vector<CDeviceUpload::Step> m_steps;
    std::atomic<int> m_failed{0};
    bool m_cancelled = false;
    QLabel* m_label;
    QProgressBar* m_progress;
    QPushButton* m_btnCancel;
};
