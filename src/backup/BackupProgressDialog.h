#pragma once

#include "QImageDialog.h"

class QImageButton;
class QLabel;
class QProgressBlock;

// The modal dialog of a running backup: the animation and the bar while the device is copied, then
// "Backup successfully!" with OK and Open Folder, or the failure message. Cancel and the close button
// stop a running backup; the dialog closes when the worker has given up.
class BackupProgressDialog : public QImageDialog {
    Q_OBJECT
public:
    explicit BackupProgressDialog(QWidget* parent = nullptr);

    void SetFolder(const QString& folder) { m_folder = folder; }
    // The device library's answer that backupfail() names the reason of.
    void SetFailure(int code) { m_failure = code; }
    QString Folder() const { return m_folder; }
    QString LabelText() const;
    bool IsRunning() const { return m_running; }
    QProgressBlock* Progress() const { return m_progress; }

public slots:
    void backupOk();
    void backupfail();
    void backupCancelled();
    void OnProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone, qint64 bytesTotal);
    void OnBtnOpenFolder();
    void OnBtnCancel();
    void OnLanguageChanged();
    void reject() override;

signals:
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Place();

    QLabel* m_Label;
    QProgressBlock* m_progress;
    QImageButton* m_btnOk;
    QImageButton* m_btnOpenFolder;
    QImageButton* m_btnCancel;
    QImageButton* m_btnClose;
    QString m_folder;
    int m_failure = 0;
    bool m_running = true;
    bool m_started = false;
    bool m_succeeded = false;
};
