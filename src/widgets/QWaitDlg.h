#pragma once

#include <QTimer>

#include "QImageDialog.h"

class QLabel;
class QMovie;
class QUtilThread;

// A modal "please wait" dialog: an animation and a line of text. It stays until Finish() is called or
// the watched worker ends; the user cannot dismiss it, because the work behind it cannot be abandoned.
class QWaitDlg : public QImageDialog {
    Q_OBJECT
public:
    explicit QWaitDlg(QWidget* parent = nullptr);
    ~QWaitDlg() override;

    void SetText(const QString& text);
    QString Text() const;
    // A GIF to play instead of the built-in indicator; false (indicator kept) when it can't load.
    bool SetAnimation(const QString& path);
    // Closes the dialog once `worker` has ended. The worker must outlive this dialog's wait.
    void Watch(const QUtilThread* worker);
    bool IsFinished() const { return m_finished; }

    int exec() override;

public slots:
    void Finish();
    void reject() override;

private:
    void CheckWorker();

    QLabel* m_animation;
    QWidget* m_indicator;
    QLabel* m_labelText;
    QMovie* m_movie = nullptr;
    QTimer m_watchTimer;
    const QUtilThread* m_worker = nullptr;
    bool m_finished = false;
};
