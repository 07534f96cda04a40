#include "InitDeviceWidget.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMovie>
#include <QMutex>
#include <QMutexLocker>
#include <QTimer>

#include "CDeviceInfoCopy.h"
#include "CSingleDetectiPhone.h"
#include "DeferredMessage.h"
#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "ui_InitDeviceWidget.h"

namespace {

// Scratch files that helpers of earlier sessions left in the language folder.
const char* const kLeftoverFiles[] = {"helper.bat", "Listapp.txt", "dump.cpio.gz", "iconstate.xml",
                                      "dump.cpio"};

enum InitError { NoDeviceRecord = 1, NoDeviceFolder = 2 };

} // namespace

InitDeviceWidget::InitDeviceWidget(IVexaManager* manager, int handle, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::InitDeviceWidget>())
    , m_manager(manager)
    , m_handle(handle)
    , m_resourceRoot(ResourceRoot())
    , m_workDir(WorkDir()) {
    ui->setupUi(this);
    if (!InitControls())
        ShowMessageLater(this, tr("InitDeviceWidget::InitControls fail"));
    ui->m_progressBar->SetRange(0, 100);

    connect(ui->m_btnCancel, &QPushButton::clicked, this, &InitDeviceWidget::OnCancel);
    // The worker emits; the receivers live on the GUI thread, so these calls are queued.
    connect(this, &InitDeviceWidget::changeProgress, ui->m_progressBar,
            [this](int percent) { ui->m_progressBar->SetValue(percent); });
    connect(this, &InitDeviceWidget::changeProgress, this, &InitDeviceWidget::OnChangePos);
    connect(this, &InitDeviceWidget::emitError, this, &InitDeviceWidget::OnErrorMsg);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &InitDeviceWidget::OnLanguageChanged);
    // Started from the event loop, right after the creator has connected initDeviceFinish: a worker
    // started here could finish before anyone listens, and the device would never be shown.
    QTimer::singleShot(0, this, [this] { Start(); });
}

InitDeviceWidget::~InitDeviceWidget() {
    m_closing = true;
    StopAndWait();
}

bool InitDeviceWidget::InitControls() {
    const QString root = ResourceRoot();
    delete m_movie;
    m_movie = new QMovie(root + QStringLiteral("/image/connecting.gif"), QByteArray(), this);
    ui->m_animationLabel->setMovie(m_movie);
    m_movie->start();
    bool found = m_movie->isValid();
    found = ui->m_progressBar->SetSliderImages(root + QStringLiteral("/image/trake_slider2.png"),
                                               root + QStringLiteral("/image/trake_slider.png")) &&
            found;
    found = ui->m_btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    MoveImageButtonCaptions(this);
    return found;
}

int InitDeviceWidget::Progress() const {
    return static_cast<int>(ui->m_progressBar->Value());
}

bool InitDeviceWidget::DeleteFolder(const QString& path) {
    QDir folder(path);
    if (!folder.exists())
        return true;
    return folder.removeRecursively();
}

void InitDeviceWidget::Run() {
    emit changeProgress(10);
    int error = 0;
    {
        // Devices arriving together initialise at the same time; one sweeping the work folder while
        // another creates its device folder in it would fail the second.
        static QMutex folderLock;
        QMutexLocker lock(&folderLock);
        CleanUpEarlierSessions();
        if (IsStopRequested())
            return;
        emit changeProgress(30);
        error = MakeDeviceFolder();
    }
    if (error != 0) {
        emit emitError(error);
        return;
    }
    emit changeProgress(50);
    emit changeProgress(90);
    emit changeProgress(99);
    emit initDeviceFinish(m_handle);
}

void InitDeviceWidget::CleanUpEarlierSessions() {
    const QString& workDir = m_workDir;
    const QString& root = m_resourceRoot;
    DeleteFolder(workDir);
    DeleteFolder(QStringLiteral("%1/VexaManagerPlayMusic").arg(QDir::tempPath()));
    DeleteFolder(QStringLiteral("%1/var").arg(root));
    for (const char* name : kLeftoverFiles) {
        const QString path = QStringLiteral("%1/%2").arg(root, QLatin1String(name));
        if (QFile::exists(path) && !QFile::remove(path))
            qDebug() << "InitDeviceWidget::CleanUpEarlierSessions can't remove" << path;
    }
    // A file held open elsewhere can keep the folder alive; empty what is left of it.
    if (QDir(workDir).exists()) {
        QDir folder(workDir);
        for (const QString& entry :
             folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            const QString path = folder.filePath(entry);
            if (!QDir(path).removeRecursively())
                QFile::remove(path);
        }
    }
}

int InitDeviceWidget::MakeDeviceFolder() {
    // Copied at once: the library's record belongs to the manager, which the GUI thread may release.
    const DeviceInfo* info = m_manager ? CSingleDetectiPhone::Instance()->RecordOf(m_manager) : nullptr;
    if (!info)
        return NoDeviceRecord;
    const CDeviceInfoCopy record(*info);
    const char* uniqueId = record.Record()->properties[DP_UniqueDeviceID];
    if (!uniqueId || !*uniqueId)
        return NoDeviceFolder;
    const QString folder = QStringLiteral("%1/%2").arg(m_workDir, QString::fromUtf8(uniqueId));
    if (!QDir().mkpath(folder)) {
        qDebug() << "InitDeviceWidget::MakeDeviceFolder can't create" << folder;
        return NoDeviceFolder;
    }
    return 0;
}

void InitDeviceWidget::OnChangePos(int percent) {
    ui->m_percentLabel->setText(QStringLiteral("%1%").arg(percent));
}

void InitDeviceWidget::OnErrorMsg(int code) {
    qDebug() << "InitDeviceWidget::OnErrorMsg" << code;
    if (code == 0 || m_closing)
        return;
    ShowMessage(tr("Get device information failed!"));
}

void InitDeviceWidget::OnCancel() {
    // Preparing a device takes a moment and leaves nothing half done; there is nothing to cancel.
}

void InitDeviceWidget::OnLanguageChanged() {
    ui->retranslateUi(this);
    InitControls();
}
