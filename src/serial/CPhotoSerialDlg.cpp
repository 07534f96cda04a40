#include "CPhotoSerialDlg.h"

#include <QDebug>
#include <QLabel>
#include <QThread>

#include <vexa/IVexaManager.h>

#include "CPhotoSerialCallbackAdapter.h"
#include "CPhotoSerialImpl.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QProUtil.h"

namespace {
// Lets the dialog appear before an import starts.
constexpr int kImportDelayMs = 300;
} // namespace

CPhotoSerialDlg::CPhotoSerialDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_progress(new QImageProgressBar(this))
    , m_title(new QLabel(this))
    , m_label(new QLabel(this))
    , m_count(new QLabel(this))
    , m_btnCancel(new QImageButton(this)) {
    setObjectName(QStringLiteral("CPhotoSerialDlg"));
    setModal(true);
    resize(654, 167);
    // The title sits in the background's band, left of where a close button would go.
    m_title->setObjectName(QStringLiteral("m_title"));
    m_title->setGeometry(13, 9, 311, 21);
    m_title->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:16px;font-weight:800"));
    m_count->setObjectName(QStringLiteral("m_count"));
    m_count->setGeometry(30, 106, 300, 21);
    m_count->setStyleSheet(QStringLiteral("color:rgb(110,167,180);font-size:12px;"));
    m_label->setObjectName(QStringLiteral("m_label"));
    m_label->setGeometry(30, 50, 590, 21);
    m_label->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:12px;"));
    m_label->setTextFormat(Qt::PlainText);
    m_progress->setObjectName(QStringLiteral("m_progress"));
    m_progress->setGeometry(30, 84, 594, 16);
    m_progress->SetTextVisible(false);
    m_progress->SetRange(0, 0);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setGeometry(534, 120, 90, 30);

    m_importTimer.setSingleShot(true);
    m_importTimer.setInterval(kImportDelayMs);
    connect(&m_importTimer, &QTimer::timeout, this, &CPhotoSerialDlg::OnImportTimer);
    connect(this, &CPhotoSerialDlg::emitImportFinished, this, &CPhotoSerialDlg::OnImportFinished,
            Qt::QueuedConnection);
    connect(m_btnCancel, &QPushButton::clicked, this, &CPhotoSerialDlg::OnBtnCancel);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &CPhotoSerialDlg::OnLanguageChanged);
    RetranslateUi();
    LoadImages();
}

CPhotoSerialDlg::~CPhotoSerialDlg() {
    StopAndWait();
    m_importAdapter.reset();
}

bool CPhotoSerialDlg::StartExport(CPhotoSerialImpl* writer, const QString& destination) {
    m_writer = writer;
    m_destination = destination.toStdString();
    m_started = true;
    m_ended = false;
    if (m_writer != nullptr && !m_writer->Export(m_destination)) {
        qDebug() << "CPhotoSerialDlg::StartExport can't start the export";
        Finish();
        return false;
    }
    return true;
}

void CPhotoSerialDlg::StartImport(IVexaManager* manager, const QStringList& files, const QString& albumId) {
    m_manager = manager;
    m_files = files;
    m_albumId = albumId.toUtf8();
    m_importing = true;
    m_importCancelled = false;
    RetranslateUi();
    m_started = true;
    m_ended = false;
    m_importAdapter =
        std::make_unique<CPhotoSerialCallbackAdapter>(this, [this] { return IsStopRequested(); });
    m_importTimer.start();
}

int CPhotoSerialDlg::exec() {
    // A quick export may have ended before the dialog was shown.
    if (m_ended && !m_failed) {
        return QDialog::Accepted;
    }
    return QDialog::exec();
}

void CPhotoSerialDlg::reject() {
    OnBtnCancel();
}

void CPhotoSerialDlg::OnBegin() {
    // Items being collected report too; the dialog only appears for a transfer that started.
    if (m_started && !m_ended) {
        show();
    }
}

void CPhotoSerialDlg::OnEnd() {
    if (!m_started || m_ended || m_writer == nullptr) {
        return;
    }
    Finish();
}

void CPhotoSerialDlg::OnProgress(quint64 done, quint64 total) {
    if (done == 0) {
        m_progress->SetRange(0, static_cast<qint64>(total));
    }
    m_progress->SetValue(static_cast<qint64>(done));
    m_count->setText(QStringLiteral("%1 / %2").arg(done).arg(m_progress->Maximum()));
}

void CPhotoSerialDlg::OnError(const char* text) {
    // The one error a transfer reports is its count of files that could not be copied.
    m_failed = true;
    m_showsMessage = true;
    m_label->setText(QString::fromUtf8(text));
}

void CPhotoSerialDlg::OnMsg(const char* text) {
    if (m_failed) {
        return;
    }
    m_showsMessage = true;
    // A long folder path is cut in the middle, where it says least.
    m_label->setText(
        m_label->fontMetrics().elidedText(QString::fromUtf8(text), Qt::ElideMiddle, m_label->width()));
}

void CPhotoSerialDlg::OnBtnCancel() {
    if (m_ended || !m_started) {
        accept();
        return;
    }
    // The file being copied is finished; the walk ends before the next one and reports its end.
    m_cancelled = true;
    m_btnCancel->setEnabled(false);
    if (m_writer != nullptr) {
        m_writer->Cancel();
    }
    m_importCancelled = true;
}

void CPhotoSerialDlg::OnImportFinished() {
    if (!m_ended) {
        Finish();
    }
}

void CPhotoSerialDlg::OnLanguageChanged() {
    RetranslateUi();
    LoadImages();
}

void CPhotoSerialDlg::OnImportTimer() {
    if (!Start()) {
        qDebug() << "CPhotoSerialDlg::OnImportTimer can't start the import";
        Finish();
    }
}

void CPhotoSerialDlg::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("PhotoImportThread"));
    IAlbumLibrary* albums = m_manager != nullptr ? m_manager->GetAlbums() : nullptr;
    const quint64 total = m_files.size();
    m_importAdapter->EmitProgress(0, total);
    quint64 done = 0;
    int failed = 0;
    for (QString path : std::as_const(m_files)) {
        if (IsStopRequested() || m_importCancelled) {
            break;
        }
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        const QByteArray message = tr("Importing %1").arg(name).toUtf8();
        m_importAdapter->EmitMsg(message.constData());
        const int result = albums != nullptr
                               ? albums->ImportPhotoFile(reinterpret_cast<const char16_t*>(path.utf16()),
                                                         m_albumId.constData())
                               : -1;
        if (result != 0) {
            qDebug() << "CPhotoSerialDlg::Run can't import" << path << result;
            ++failed;
        }
        ++done;
        m_importAdapter->EmitProgress(done, total);
    }
    if (failed > 0) {
        const QByteArray line = tr("%1 file(s) could not be copied.").arg(failed).toUtf8();
        m_importAdapter->EmitError(line.constData());
    }
    qDebug() << "Serial finished!";
    emit emitImportFinished();
}

void CPhotoSerialDlg::Finish() {
    m_ended = true;
    m_btnCancel->setEnabled(true);
    if (m_failed) {
        // The count of failures stays on screen until the user has read it.
        LoadButtonImage();
        show();
        return;
    }
    accept();
}

void CPhotoSerialDlg::RetranslateUi() {
    setWindowTitle(tr("Dialog"));
    m_title->setText(m_importing ? tr("Import") : tr("Export"));
    if (!m_showsMessage) {
        m_label->setText(tr("Please wait...."));
    }
    LoadButtonImage();
}

void CPhotoSerialDlg::LoadImages() {
    const QString root = ResourceRoot();
    if (!SetBackgroundImage(root + QStringLiteral("/image/progress_bg.png"))) {
        qDebug() << "CPhotoSerialDlg::LoadImages can't find /image/progress_bg.png";
    }
    m_progress->SetSliderImages(root + QStringLiteral("/image/trake_slider2.png"),
                                root + QStringLiteral("/image/trake_slider.png"));
    LoadButtonImage();
}

void CPhotoSerialDlg::LoadButtonImage() {
    // After the end the one button acknowledges the result instead of cancelling.
    const bool acknowledge = m_ended && m_failed;
    m_btnCancel->setText(acknowledge ? tr("OK") : tr("Cancel"));
    m_btnCancel->SetImages(ResourceRoot() + (acknowledge ? QStringLiteral("/image/btn_ok.png")
                                                         : QStringLiteral("/image/Cancel_btn.png")));
    m_btnCancel->setGeometry(534, 120, 90, 30);
}
