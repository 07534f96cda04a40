#include "RestoreProgressDialog.h"

#include <QDebug>
#include <QLabel>

#include "CImageCaption.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"
#include "QProgressBlock.h"

RestoreProgressDialog::RestoreProgressDialog(QWidget* parent)
    : QImageDialog(parent)
    , m_Label(new QLabel(this))
    , m_progress(new QProgressBlock(this))
    , m_btnCancel(new QImageButton(this)) {
    setObjectName(QStringLiteral("RestoreProgressDialog"));
    m_Label->setObjectName(QStringLiteral("m_Label"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_Label->setStyleSheet(QStringLiteral("color:rgb(110,167,180);font-weight:bold;font-size:14px;"));
    m_Label->setAlignment(Qt::AlignCenter);
    connect(m_btnCancel, &QPushButton::clicked, this, &RestoreProgressDialog::OnBtnCancel);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this,
            &RestoreProgressDialog::OnLanguageChanged);
    OnLanguageChanged();
}

void RestoreProgressDialog::showEvent(QShowEvent* event) {
    QImageDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        m_progress->Start();
    }
}

void RestoreProgressDialog::OnProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone,
                                       qint64 bytesTotal) {
    m_progress->SetProgress(filesDone, filesTotal, bytesDone, bytesTotal);
}

void RestoreProgressDialog::OnFinished() {
    m_running = false;
    m_progress->Finish(false);
    done(QDialog::Accepted);
}

void RestoreProgressDialog::OnBtnCancel() {
    if (!m_running || !m_btnCancel->isEnabled())
        return;
    m_btnCancel->setEnabled(false);
    m_Label->setText(tr("Cancelling the restore..."));
    emit cancelRequested();
}

void RestoreProgressDialog::reject() {
    // The restore can only end through its worker, which leaves the device whole when cancelled.
    if (m_running)
        OnBtnCancel();
    else
        QImageDialog::reject();
}

void RestoreProgressDialog::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/backupdata_bg_image.png"));
    if (!HasBackgroundImage())
        setFixedSize(460, 200);
    found = m_btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    if (!found)
        qDebug() << "RestoreProgressDialog::OnLanguageChanged can't find an image";
    CImageCaption::Set(m_btnCancel, tr("Cancel"));
    if (m_btnCancel->isEnabled())
        m_Label->setText(tr("Restoring the backup, please wait..."));
    const int w = width();
    m_Label->setGeometry(20, 50, w - 40, 24);
    m_progress->setGeometry(30, 78, w - 60, 64);
    m_btnCancel->move((w - m_btnCancel->width()) / 2, height() - 46);
}
