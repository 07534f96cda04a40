#include "CheckDownloadDlg.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>

#include "CMessagePrompt.h"
#include "LanguageService.h"
#include "QClickLabel.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "StartupChecks.h"

namespace {

// A chain longer than this, or one that comes back to an address it has seen, never ends.
constexpr int kMaxRedirects = 10;
constexpr int kDialogWidth = 670;
constexpr int kDialogHeight = 210;
constexpr int kRetryX = 234;
constexpr int kRetryY = 130;

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

} // namespace

CheckDownloadDlg::CheckDownloadDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_restartLauncher([] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); })
    , m_btnClose(new QImageButton(this))
    , m_progressBar(new QImageProgressBar(this))
    , m_labelInfo(MakeLabel(this, "m_labelInfo", QRect(45, 128, 580, 18)))
    , m_labelGo(MakeLabel(this, "m_labelGo", QRect(45, 168, 150, 18)))
    , m_btnRestart(new QImageButton(this))
    , m_labelReTry(new QClickLabel(this))
    , m_labelReboot(MakeLabel(this, "m_labelReboot", QRect(45, 148, 580, 18))) {
    setWindowTitle(QString());
    InitControls();
    LoadImages();
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CheckDownloadDlg::OnTimer);
    connect(&m_manager, &QNetworkAccessManager::authenticationRequired, this,
            &CheckDownloadDlg::slotAuthenticationRequired);
}

CheckDownloadDlg::~CheckDownloadDlg() {
    // Ends a running transfer through httpFinished(), which removes its partial file.
    stopDownload();
}

void CheckDownloadDlg::InitControls() {
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnClose->move(634, 1);
    m_progressBar->setObjectName(QStringLiteral("m_progressBar"));
    m_progressBar->setGeometry(45, 100, 580, 16);
    m_progressBar->SetRange(0, 100);
    m_labelGo->setText(tr("Go to URL"));
    m_labelGo->hide();
    m_btnRestart->setObjectName(QStringLiteral("m_btnRestart"));
    m_btnRestart->move(258, 168);
    m_btnRestart->hide();
    m_labelReTry->setObjectName(QStringLiteral("m_labelReTry"));
    m_labelReTry->setGeometry(kRetryX, kRetryY, 120, 14);
    m_labelReTry->setText(tr("Retry"));
    m_labelReTry->setStyleSheet(QStringLiteral("color: rgb(99,165,181);"));
    m_labelReTry->hide();
    m_labelReboot->setText(
        tr("After installing, the program will be compatible with iTunes 12.1 automatically."));

    connect(m_btnClose, &QImageButton::clicked, this, &CheckDownloadDlg::OnBtnClose);
    connect(m_btnRestart, &QImageButton::clicked, this, &CheckDownloadDlg::OnBtnRestart);
    connect(m_labelReTry, &QClickLabel::clicked, this, &CheckDownloadDlg::OnBtnRetry);
}

void CheckDownloadDlg::LoadImages() {
    const QString root = ResourceRoot();
    if (!SetBackgroundImage(root + QStringLiteral("/image/downloadDll/bg_download_dll.png"))) {
        qDebug() << "CheckDownloadDlg::LoadImages can't find background image";
        resize(kDialogWidth, kDialogHeight);
    }
    if (!m_btnClose->SetImages(root + QStringLiteral("/image/button_close.png"))) {
        m_btnClose->setText(QStringLiteral("X"));
        m_btnClose->resize(32, 24);
    }
    // The image carries its own caption; the text is only the stand-in for a missing image.
    if (!m_btnRestart->SetImages(root + QStringLiteral("/image/downloadDll/btn_Reboot.png"))) {
        m_btnRestart->setText(tr("Restart"));
        m_btnRestart->resize(150, 30);
    }
}

void CheckDownloadDlg::SetRestartLauncher(std::function<void()> launcher) {
    m_restartLauncher = std::move(launcher);
}

void CheckDownloadDlg::StartDownload(const QString& name) {
    m_visited.clear();
    m_progressBar->SetRange(0, 100);
    m_progressBar->SetValue(0);
    // Truncate: a stale, longer copy of the same library must not leave its tail behind.
    m_file = std::make_unique<QFile>(DriverFilePath(name));
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        CMessagePrompt::Show(tr("Unable to save the file %1: %2.")
                                 .arg(QDir::toNativeSeparators(m_file->fileName()), m_file->errorString()),
                             QString(), MSG_ERROR);
        m_file.reset();
        m_labelInfo->clear();
        return;
    }
    m_labelInfo->setText(tr("Current downloading: ") + name);
    StartRequest(DriverFileUrl(name));
}

void CheckDownloadDlg::StartRequest(const QUrl& url) {
    m_url = url;
    m_visited.insert(url);
    QNetworkRequest request(url);
    // Every redirect is put to the user, so the manager must not follow any by itself.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::finished, this, &CheckDownloadDlg::httpFinished);
    connect(m_reply, &QNetworkReply::readyRead, this, &CheckDownloadDlg::httpReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &CheckDownloadDlg::updateDataReadProgress);
}

void CheckDownloadDlg::httpReadyRead() {
    if (m_file && m_reply)
        m_file->write(m_reply->readAll());
}

void CheckDownloadDlg::updateDataReadProgress(qint64 bytesRead, qint64 totalBytes) {
    if (m_aborted)
        return;
    // An unknown length (-1) keeps the previous range.
    if (totalBytes > 0)
        m_progressBar->SetRange(0, totalBytes);
    m_progressBar->SetValue(bytesRead);
}

void CheckDownloadDlg::slotAuthenticationRequired(QNetworkReply*, QAuthenticator*) {}

void CheckDownloadDlg::httpFinished() {
    QNetworkReply* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        reply = m_reply;
    if (!reply)
        return;
    if (reply == m_reply)
        m_reply = nullptr;
    if (m_aborted) {
        if (m_file) {
            m_file->close();
            m_file->remove();
            m_file.reset();
        }
        m_labelInfo->clear();
        reply->deleteLater();
        return;
    }
    if (!m_file) {
        reply->deleteLater();
        return;
    }

    m_file->flush();
    m_file->close();
    const QVariant redirect = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (reply->error() != QNetworkReply::NoError) {
        FinishFailed(reply->errorString());
    } else if (!redirect.isNull()) {
        FollowRedirect(reply, m_url.resolved(redirect.toUrl()));
        if (m_reply)
            return;
    }
    const bool succeeded = reply->error() == QNetworkReply::NoError && redirect.isNull();
    reply->deleteLater();
    m_file.reset();
    if (succeeded)
        StartNextOrRestart();
}

void CheckDownloadDlg::FinishFailed(const QString& errorText) {
    m_file->remove();
    if (!errorText.isEmpty())
        CMessagePrompt::Show(tr("Download failed: %1.").arg(errorText), QString(), MSG_ERROR);
    PlaceRetryLabel();
    m_labelReTry->show();
}

// "Retry" belongs at x 234, beside the file name; a longer name or translation pushes it right so the
// two never overlap.
void CheckDownloadDlg::PlaceRetryLabel() {
    const int textEnd = m_labelInfo->x() + m_labelInfo->fontMetrics().horizontalAdvance(m_labelInfo->text());
    const int x = std::max(kRetryX, textEnd + 12);
    m_labelReTry->setGeometry(x, kRetryY,
                              m_labelReTry->fontMetrics().horizontalAdvance(m_labelReTry->text()) + 4, 14);
}

// Starts the redirected request when the user agrees; otherwise ends the chain like a failure.
void CheckDownloadDlg::FollowRedirect(QNetworkReply* reply, const QUrl& target) {
    if (m_visited.contains(target) || m_visited.size() > kMaxRedirects) {
        FinishFailed(tr("Too many redirects"));
        return;
    }
    const int answer = CMessagePrompt::Show(tr("Redirect to %1 ?").arg(target.toString()),
                                            QStringLiteral("HTTP"), MSG_YESNO);
    if (answer != MSG_RESULT_YES) {
        FinishFailed(QString());
        return;
    }
    reply->deleteLater();
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        FinishFailed(m_file->errorString());
        return;
    }
    m_file->resize(0);
    StartRequest(target);
}

void CheckDownloadDlg::StartNextOrRestart() {
    if (!QFile::exists(DriverFilePath(kMobileDeviceLibrary))) {
        StartDownload(kMobileDeviceLibrary);
    } else if (!QFile::exists(DriverFilePath(kCoreFpLibrary))) {
        StartDownload(kCoreFpLibrary);
    } else {
        m_btnRestart->show();
        m_timer.start();
    }
}

void CheckDownloadDlg::OnTimer() {
    --m_countdown;
    m_labelInfo->setText(tr("This will restart in ") + QString::number(m_countdown) + tr(" seconds."));
    if (m_countdown < 1)
        OnBtnRestart();
}

void CheckDownloadDlg::OnBtnRestart() {
    m_timer.stop();
    QCoreApplication::quit();
    // Before the main loop runs, quit() has nothing to end: closing with 0 ends this process instead.
    done(0);
    m_restartLauncher();
}

void CheckDownloadDlg::OnBtnRetry() {
    if (!RemoveDriverFile(kITunesLibrary)) {
        CMessagePrompt::Show(QStringLiteral("Remove iTunes.dll failed!"), QString(), MSG_ERROR);
        return;
    }
    if (!RemoveDriverFile(kMobileDeviceLibrary)) {
        CMessagePrompt::Show(QStringLiteral("Remove iTunesMobileDevice.dll failed!"), QString(), MSG_ERROR);
        return;
    }
    m_labelReTry->hide();
    StartDownload(kITunesLibrary);
}

bool CheckDownloadDlg::RemoveDriverFile(const QString& name) {
    QFile file(DriverFilePath(name));
    return !file.exists() || file.remove();
}

void CheckDownloadDlg::stopDownload() {
    m_aborted = true;
    if (m_reply)
        m_reply->abort();
}

void CheckDownloadDlg::OnBtnClose() {
    stopDownload();
    done(0);
}

void CheckDownloadDlg::reject() {
    OnBtnClose();
}
