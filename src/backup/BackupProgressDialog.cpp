#include "BackupProgressDialog.h"

#include <QDebug>
#include <QLabel>

#include "CDesktopOpen.h"
#include "CImageCaption.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "QProgressBlock.h"
#include "ResultReason.h"

#include <vexa/VexaResult.h>

namespace {
const char* const kLabelStyle = "color:rgb(110,167,180);font-weight:bold;font-size:14px;";
}

BackupProgressDialog::BackupProgressDialog(QWidget* parent)
    : QImageDialog(parent)
    , m_Label(new QLabel(this))
    , m_progress(new QProgressBlock(this))
    , m_btnOk(new QImageButton(this))
    , m_btnOpenFolder(new QImageButton(this))
    , m_btnCancel(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("BackupProgressDialog"));
    m_Label->setObjectName(QStringLiteral("m_Label"));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnOpenFolder->setObjectName(QStringLiteral("m_btnOpenFolder"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_Label->setStyleSheet(QLatin1String(kLabelStyle));
    m_Label->setAlignment(Qt::AlignCenter);
    m_btnOk->setEnabled(false);
    m_btnOpenFolder->setEnabled(false);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnClose, &QPushButton::clicked, this, &BackupProgressDialog::reject);
    connect(m_btnCancel, &QPushButton::clicked, this, &BackupProgressDialog::OnBtnCancel);
    connect(m_btnOpenFolder, &QPushButton::clicked, this, &BackupProgressDialog::OnBtnOpenFolder);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &BackupProgressDialog::OnLanguageChanged);
    OnLanguageChanged();
    m_Label->setText(tr("Please wait...."));
}

QString BackupProgressDialog::LabelText() const {
    return m_Label->text();
}

void BackupProgressDialog::Place() {
    const int w = width();
    m_btnClose->move(w - m_btnClose->width() - 10, 10);
    m_Label->setGeometry(20, 50, w - 40, 24);
    m_progress->setGeometry(30, 78, w - 60, 64);
    const int y = height() - 46;
    m_btnOk->move(w / 2 - m_btnOk->width() - 70, y + (30 - m_btnOk->height()) / 2);
    m_btnOpenFolder->move(w / 2 - 60, y);
    m_btnCancel->move(w / 2 + 70, y);
}

void BackupProgressDialog::showEvent(QShowEvent* event) {
    QImageDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        m_progress->Start();
    }
}

void BackupProgressDialog::OnProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone,
                                      qint64 bytesTotal) {
    m_progress->SetProgress(filesDone, filesTotal, bytesDone, bytesTotal);
}

void BackupProgressDialog::backupOk() {
    m_running = false;
    m_succeeded = true;
    m_btnOk->setEnabled(true);
    m_btnOpenFolder->setEnabled(true);
    m_btnCancel->hide();
    m_progress->Finish(true);
    m_Label->setText(tr("Backup successfully!"));
}

void BackupProgressDialog::backupfail() {
    m_running = false;
    m_progress->Finish(false);
    done(QDialog::Rejected);
    if (m_failure == VEXA_E_EXISTS) {
        ShowMessage(tr("A backup of this device into this folder is already running."), QString(), MSG_ERROR);
        return;
    }
    ShowMessage(WithReason(tr("Opps, backup failed. Please try again!"), m_failure), QString(), MSG_ERROR);
}

void BackupProgressDialog::backupCancelled() {
    m_running = false;
    m_progress->Finish(false);
    done(QDialog::Rejected);
}

void BackupProgressDialog::OnBtnCancel() {
    if (!m_running)
        return;
    m_btnCancel->setEnabled(false);
    m_Label->setText(tr("Cancelling the backup..."));
    emit cancelRequested();
}

void BackupProgressDialog::reject() {
    // A running backup ends through its worker, which closes the dialog once it has stopped.
    if (m_running) {
        OnBtnCancel();
        return;
    }
    QImageDialog::reject();
}

void BackupProgressDialog::OnBtnOpenFolder() {
    CDesktopOpen::OpenFolder(m_folder);
}

void BackupProgressDialog::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/backupdata_bg_image.png"));
    if (!HasBackgroundImage())
        setFixedSize(460, 200);
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    found = m_btnOk->SetImages(root + QStringLiteral("/image/OK_btn.png")) && found;
    found = m_btnOpenFolder->SetImages(root + QStringLiteral("/image/Open-Folder_btn.png")) && found;
    found = m_btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    if (!found)
        qDebug() << "BackupProgressDialog::OnLanguageChanged can't find an image";
    CImageCaption::Set(m_btnOk, tr("OK"));
    CImageCaption::Set(m_btnOpenFolder, tr("Open Folder"));
    CImageCaption::Set(m_btnCancel, tr("Cancel"));
    m_progress->OnLanguageChanged();
    if (m_succeeded)
        m_Label->setText(tr("Backup successfully!"));
    else if (m_running && m_btnCancel->isEnabled())
        m_Label->setText(tr("Please wait...."));
    Place();
}
