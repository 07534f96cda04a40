#include "QSelectDeviceRestorDlg.h"

#include <QComboBox>
#include <QDebug>
#include <QHeaderView>
#include <QPointer>
#include <QTableView>

#include <vexa/IVexaManager.h>

#include "CBackupTableLook.h"
#include "CDeviceLease.h"
#include "CImageCaption.h"
#include "CThreadWait.h"
#include "IDeviceDirectory.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "RestorePasswordWidget.h"
#include "RestoreProgressDialog.h"
#include "RestoreTableModel.h"
#include "RestoreThread.h"
#include "ResultReason.h"

namespace {
constexpr int kManagerRole = Qt::UserRole + 1;
}

QSelectDeviceRestorDlg::QSelectDeviceRestorDlg(const QList<CBackupRecord>& records,
                                               const IDeviceDirectory* directory, QWidget* parent)
    : QImageDialog(parent)
    , m_records(records)
    , m_directory(directory)
    , m_model(new RestoreTableModel(this))
    , m_comboBox(new QComboBox(this))
    , m_tableView(new QTableView(this))
    , m_btnOk(new QImageButton(this))
    , m_btnCancel(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("QSelectDeviceRestorDlg"));
    m_comboBox->setObjectName(QStringLiteral("m_comboBox"));
    m_tableView->setObjectName(QStringLiteral("m_tableView"));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_tableView->setModel(m_model);
    CBackupTableLook::Apply(m_tableView);
    if (m_directory) {
        for (const CConnectedDevice& device : m_directory->ConnectedDevices()) {
            m_comboBox->addItem(device.name, device.serialNumber);
            m_comboBox->setItemData(m_comboBox->count() - 1, QVariant::fromValue(quintptr(device.manager)),
                                    kManagerRole);
        }
    }
    connect(m_comboBox, &QComboBox::currentIndexChanged, this, &QSelectDeviceRestorDlg::OnChangeComBox);
    connect(m_btnOk, &QPushButton::clicked, this, &QSelectDeviceRestorDlg::OnBtnConfirm);
    connect(m_btnCancel, &QPushButton::clicked, this, &QSelectDeviceRestorDlg::OnBtnClose);
    connect(m_btnClose, &QPushButton::clicked, this, &QSelectDeviceRestorDlg::OnBtnClose);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this,
            &QSelectDeviceRestorDlg::OnLanguageChanged);
    OnLanguageChanged();
    OnChangeComBox(m_comboBox->currentIndex());
}

void QSelectDeviceRestorDlg::OnChangeComBox(int index) {
    // A device's own backups match its serial number exactly; imported folders may go onto any device.
    const QString serial = index >= 0 ? m_comboBox->itemData(index).toString() : QString();
    QList<CBackupRecord> shown;
    for (const CBackupRecord& record : m_records) {
        if (index >= 0 && (record.imported || (!serial.isEmpty() && record.serialNumber == serial)))
            shown.append(record);
    }
    m_model->SetRecords(shown);
    if (!shown.isEmpty())
        m_tableView->selectRow(0);
}

const CBackupRecord* QSelectDeviceRestorDlg::SelectedRecord() const {
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : m_model->Record(rows.first().row());
}

void QSelectDeviceRestorDlg::OnBtnConfirm() {
    if (m_comboBox->currentIndex() < 0) {
        ShowMessage(tr("Please select one device!"));
        return;
    }
    const CBackupRecord* selected = SelectedRecord();
    if (!selected) {
        ShowMessage(tr("Please select restore file!"));
        return;
    }
    const CBackupRecord record = *selected;
    QPointer<QSelectDeviceRestorDlg> self(this);
    if (ShowMessage(tr("Do you want to restore this backup"), QString(), MSG_WARNING | MSG_TWO_BUTTONS) !=
            0 ||
        !self) {
        if (self)
            m_outcome = Refused;
        return;
    }
    QString password;
    if (record.encrypted) {
        RestorePasswordWidget prompt(this);
        const int code = prompt.exec();
        if (!self)
            return;
        if (code != RestorePasswordWidget::kAccepted) {
            m_outcome = Refused;
            return;
        }
        password = prompt.Password();
    }
    hide();
    const Outcome outcome = Restore(record, password);
    if (!self)
        return;
    m_outcome = outcome;
    if (outcome == Restored)
        ShowMessage(tr("Restored successfully!"), QString(), MSG_SUCCESS);
    else if (outcome == Cancelled)
        ShowMessage(tr("The restore was cancelled; the device is unchanged."), QString(), MSG_WARNING);
    else
        ShowMessage(WithReason(tr("Restored failed!"), m_failure), QString(), MSG_ERROR);
    if (self)
        done(outcome == Restored ? QDialog::Accepted : QDialog::Rejected);
}

QSelectDeviceRestorDlg::Outcome QSelectDeviceRestorDlg::Restore(const CBackupRecord& record,
                                                                const QString& password) {
    auto* manager = reinterpret_cast<IVexaManager*>(m_comboBox->currentData(kManagerRole).value<quintptr>());
    std::unique_ptr<CDeviceLease> lease = m_directory ? CDeviceLease::Take(*m_directory, manager) : nullptr;
    IDeviceService* service = lease ? manager->GetDeviceService() : nullptr;
    m_failure = VEXA_E_UNPLUGGED;
    if (!service)
        return Failed;
    QString folder = record.folder;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));

    RestoreProgressDialog dialog(this);
    RestoreThread thread;
    connect(&thread, &RestoreThread::emitRestoreSucesses, &dialog, &RestoreProgressDialog::OnFinished);
    connect(&thread, &RestoreThread::emitProgress, &dialog, &RestoreProgressDialog::OnProgress);
    connect(&dialog, &RestoreProgressDialog::cancelRequested, &thread, &RestoreThread::Cancel,
            Qt::DirectConnection);
    thread.SetRestoreInfo(service, std::move(lease), folder, password);
    thread.start();
    dialog.exec();
    WaitForThread(&thread);
    if (thread.Succeeded())
        return Restored;
    m_failure = thread.LastResult();
    return m_failure == VEXA_E_CANCELLED ? Cancelled : Failed;
}

void QSelectDeviceRestorDlg::OnBtnClose() {
    reject();
}

void QSelectDeviceRestorDlg::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/restore_bg.png"));
    if (!HasBackgroundImage())
        setFixedSize(860, 540);
    found = m_btnOk->SetImages(root + QStringLiteral("/image/Confirm_btn.png")) && found;
    found = m_btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    if (!found)
        qDebug() << "QSelectDeviceRestorDlg::OnLanguageChanged can't find an image";
    CImageCaption::Set(m_btnOk, tr("Confirm"));
    CImageCaption::Set(m_btnCancel, tr("Cancel"));
    const int w = width();
    m_btnClose->move(w - m_btnClose->width() - 10, 10);
    m_comboBox->setGeometry(30, 58, 300, 26);
    m_tableView->setGeometry(30, 96, w - 60, height() - 150);
    m_btnOk->move(w / 2 - m_btnOk->width() - 10, height() - 46);
    m_btnCancel->move(w / 2 + 10, height() - 46);
}
