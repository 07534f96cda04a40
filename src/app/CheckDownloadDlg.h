#pragma once

#include <functional>
#include <memory>

#include <QAuthenticator>
#include <QFile>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QUrl>

#include "QImageDialog.h"

class QClickLabel;
class QImageButton;
class QImageProgressBar;
class QLabel;
class QNetworkReply;

// Fetches the support libraries into the driver folder one after the other (iTunes.dll, then whichever
// of iTunesMobileDevice.dll and CoreFP.dll is missing), then restarts the program after a countdown.
// A failed transfer leaves no partial file behind and offers "Retry".
class CheckDownloadDlg : public QImageDialog {
    Q_OBJECT
public:
    static constexpr int kRestartCountdown = 8;

    explicit CheckDownloadDlg(QWidget* parent = nullptr);
    ~CheckDownloadDlg() override;

    void StartDownload(const QString& name);
    void StartRequest(const QUrl& url);

    // What a restart starts; by default this program again, detached and without arguments.
    void SetRestartLauncher(std::function<void()> launcher);

public slots:
    void httpFinished();
    void httpReadyRead();
    void updateDataReadProgress(qint64 bytesRead, qint64 totalBytes);
    void slotAuthenticationRequired(QNetworkReply* reply, QAuthenticator* authenticator);
    void stopDownload();
    void OnTimer();
    void OnBtnClose();
    void OnBtnRestart();
    void OnBtnRetry();
    // Escape and the window manager's close abort the transfer like the close button.
    void reject() override;

private:
    void InitControls();
    void LoadImages();
    void FinishFailed(const QString& errorText);
    void PlaceRetryLabel();
    void FollowRedirect(QNetworkReply* reply, const QUrl& target);
    void StartNextOrRestart();
    bool RemoveDriverFile(const QString& name);

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    std::unique_ptr<QFile> m_file;
    QSet<QUrl> m_visited;
    bool m_aborted = false;
    QTimer m_timer;
    int m_countdown = kRestartCountdown;
    std::function<void()> m_restartLauncher;

    QImageButton* m_btnClose;
    QImageProgressBar* m_progressBar;
    QLabel* m_labelInfo;
    QLabel* m_labelGo;
    QImageButton* m_btnRestart;
    QClickLabel* m_labelReTry;
    QLabel* m_labelReboot;
};
