#pragma once

#include "QImageDialog.h"

class QImageButton;
class QLabel;
class QProgressBlock;

// The "please wait" of a running restore, with the bar, the time left and Cancel. It closes itself
// when the worker reports the end; the caller shows the outcome.
class RestoreProgressDialog : public QImageDialog {
    Q_OBJECT
public:
    explicit RestoreProgressDialog(QWidget* parent = nullptr);

    QProgressBlock* Progress() const { return m_progress; }
    bool IsRunning() const { return m_running; }

public slots:
    void OnFinished();
    void OnProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone, qint64 bytesTotal);
    void OnBtnCancel();
    void OnLanguageChanged();
    void reject() override;

signals:
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_Label;
    QProgressBlock* m_progress;
    QImageButton* m_btnCancel;
    bool m_running = true;
    bool m_started = false;
};
