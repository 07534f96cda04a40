#include "BackupWidget.h"

#include <QComboBox>
#include <QDebug>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QTableView>

#include "BackupDataThread.h"
#include "BackupModel.h"
#include "BackupProgressDialog.h"
#include "CBackupFolder.h"
#include "CBackupTableLook.h"
#include "CImageCaption.h"
#include "CThreadWait.h"
#include "IDeviceDirectory.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "RestoreTableModel.h"

BackupWidget::BackupWidget(const IDeviceDirectory* directory, QWidget* parent)
    : QImageDialog(parent)
    , m_directory(directory)
    , m_model(new BackupModel(this))
    , m_labelDevice(new QLabel(this))
    , m_comboDevice(new QComboBox(this))
    , m_tableView(new QTableView(this))
    , m_btnBackup(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("BackupWidget"));
    m_comboDevice->setObjectName(QStringLiteral("m_comboDevice"));
    m_tableView->setObjectName(QStringLiteral("m_tableView"));
    m_btnBackup->setObjectName(QStringLiteral("m_btnBackup"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_labelDevice->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-weight:bold;"));
    m_tableView->setModel(m_model);
    CBackupTableLook::Apply(m_tableView);
    connect(m_btnBackup, &QPushButton::clicked, this, &BackupWidget::OnBtnBackup);
    connect(m_btnClose, &QPushButton::clicked, this, &BackupWidget::OnBtnClose);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &BackupWidget::OnLanguageChanged);
    OnLanguageChanged();
    ReloadDevices();
    m_model->Load(CBackupLog(CBackupLog::DefaultPath()));
}

void BackupWidget::ReloadDevices() {
    m_comboDevice->clear();
    if (!m_directory)
        return;
    for (const CConnectedDevice& device : m_directory->ConnectedDevices())
        m_comboDevice->addItem(device.name, QVariant::fromValue(quintptr(device.manager)));
}

IVexaManager* BackupWidget::ChosenManager() const {
    if (m_comboDevice->currentIndex() < 0)
        return nullptr;
    return reinterpret_cast<IVexaManager*>(m_comboDevice->currentData().value<quintptr>());
}

void BackupWidget::OnBtnBackup() {
    if (!ChosenManager()) {
        ShowMessage(tr("Please select one device!"));
        return;
    }
    QPointer<BackupWidget> self(this);
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Save File"), CBackupFolder::StartFolder());
    if (!self || folder.isEmpty())
        return;
    CBackupFolder::RememberFolder(folder);
    QString udid;
    for (const CConnectedDevice& device : m_directory->ConnectedDevices())
        if (device.manager == ChosenManager())
            udid = device.udid;
    // Each device's backup in a folder of its own, as other backup tools keep them.
    StartBackup(CBackupFolder::DeviceFolder(folder, udid));
}

bool BackupWidget::StartBackup(const QString& folder) {
    BackupProgressDialog dialog(this);
    dialog.SetFolder(folder);
    BackupDataThread thread;
    connect(&thread, &BackupDataThread::Sucesses, &dialog, &BackupProgressDialog::backupOk);
    // The thread stores its result before it signals.
    connect(&thread, &BackupDataThread::BackupFail, &dialog, [&dialog, &thread] {
        dialog.SetFailure(thread.LastResult());
        dialog.backupfail();
    });
    connect(&thread, &BackupDataThread::BackupCancelled, &dialog, &BackupProgressDialog::backupCancelled);
    connect(&thread, &BackupDataThread::emitProgress, &dialog, &BackupProgressDialog::OnProgress);
    connect(&dialog, &BackupProgressDialog::cancelRequested, &thread, &BackupDataThread::Cancel,
            Qt::DirectConnection);
    thread.SetBackupInfo(folder, ChosenManager(), m_directory);
    thread.start();
    dialog.exec();
    WaitForThread(&thread);
    m_model->Load(CBackupLog(CBackupLog::DefaultPath()));
    return thread.Succeeded();
}

void BackupWidget::OnBtnClose() {
    close();
}

void BackupWidget::Place() {
    const int w = width();
    m_btnClose->move(w - m_btnClose->width() - 10, 10);
    m_labelDevice->setGeometry(30, 58, 120, 26);
    m_comboDevice->setGeometry(150, 58, 260, 26);
    m_btnBackup->move(w - m_btnBackup->width() - 30, 56);
    m_tableView->setGeometry(30, 100, w - 60, height() - 130);
}

void BackupWidget::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/backupView_bg.png"));
    if (!HasBackgroundImage())
        setFixedSize(860, 540);
    found = m_btnBackup->SetImages(root + QStringLiteral("/image/status/btn_Backup.png")) && found;
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    if (!found)
        qDebug() << "BackupWidget::OnLanguageChanged can't find an image";
    setWindowTitle(tr("Backup"));
    CImageCaption::Set(m_btnBackup, tr("Backup"));
    m_labelDevice->setText(tr("Device:"));
    Place();
}
