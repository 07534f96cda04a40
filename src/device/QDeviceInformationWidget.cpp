#include "QDeviceInformationWidget.h"

#include <QDebug>
#include <QLabel>
#include <QVBoxLayout>

#include <vexa/VexaServices.h>

#include "CSingleDetectiPhone.h"
#include "DeferredMessage.h"
#include "DeviceFormat.h"
#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QDiskContentBar.h"
#include "QDiskContentWidget.h"
#include "QInformationWidget.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "ui_QDeviceInformationWidget.h"

namespace {

const char* const kProductWithLegacyDiskInfo = "iPod2,1";

QDiskContentWidget::Item MakeItem(const QString& caption, uint64_t bytes, const char* strip,
                                  const char* icon) {
    const QString root = ResourceRoot();
    return {caption, bytes, root + QLatin1String(strip), root + QLatin1String(icon)};
}

} // namespace

QDeviceInformationWidget::QDeviceInformationWidget(IVexaManager* manager, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QDeviceInformationWidget>())
    , m_manager(manager) {
    // The record is copied first: the manager's own record goes away with the manager.
    LookUpRecord();
    ui->setupUi(this);
    if (!InitControls())
        ShowMessageLater(
            this, tr("QDeviceInformationWidget::initControls can't find image, please re-install software"));
    if (!m_record)
        ShowMessageLater(this, tr("QDeviceinformationWideget get deviceInfo failed!"));
    IDeviceService* service = m_manager ? m_manager->GetDeviceService() : nullptr;
    m_backup = service && service->GetWriteAccess() == kContentReadOnlyBackup;
    ui->m_deviceInformation->SetBackupCard(m_backup);
    ui->m_deviceInformation->SetDeviceInfo(m_record ? m_record->Record() : nullptr);

    const QString background = ResourceRoot() + QStringLiteral("/image/line_else.png");
    ui->m_dataContent->SetBackground(background);
    ui->m_systemContent->SetBackground(background);

    connect(ui->m_btnData, &QPushButton::clicked, this, &QDeviceInformationWidget::onClickData);
    connect(ui->m_btnSystem, &QPushButton::clicked, this, &QDeviceInformationWidget::onClickSystem);
    connect(ui->m_btnRefresh, &QPushButton::clicked, this, &QDeviceInformationWidget::onClickRefresh);
    connect(ui->m_deviceInformation, &QInformationWidget::changedDeviceName, this,
            &QDeviceInformationWidget::OnEmitRefreshTreeRootName);
    // The worker emits these; queued so the slots run on the GUI thread.
    connect(this, &QDeviceInformationWidget::emitGetDiskInfoFailed, this, &QDeviceInformationWidget::onFailed,
            Qt::QueuedConnection);
    connect(this, &QDeviceInformationWidget::GetDiskInfoFinished, this,
            &QDeviceInformationWidget::OnGetDiskInfoFinished, Qt::QueuedConnection);
    connect(this, &QDeviceInformationWidget::beginRefresh, this, &QDeviceInformationWidget::OnBeginRefresh,
            Qt::QueuedConnection);
    connect(this, &QDeviceInformationWidget::endRefresh, this, &QDeviceInformationWidget::OnEndRefresh,
            Qt::QueuedConnection);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this,
            &QDeviceInformationWidget::OnLanguageChanged);

    if (m_backup) {
        ShowBackupPage();
        return;
    }
    OnGetDiskInfoFinished();
    // Disabled from now, not from the worker's first signal, so a click cannot slip in before it.
    ui->m_btnRefresh->setEnabled(false);
    Start();
}

// A backup keeps no battery or storage figures: the storage views give way to a line that says what
// the page shows.
void QDeviceInformationWidget::ShowBackupPage() {
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->m_btnData), static_cast<QWidget*>(ui->m_btnSystem),
          static_cast<QWidget*>(ui->m_capacity), static_cast<QWidget*>(ui->m_btnRefresh),
          static_cast<QWidget*>(ui->m_dataContent), static_cast<QWidget*>(ui->m_systemContent)})
        widget->hide();
    if (!m_backupNote) {
        m_backupNote = new QLabel(this);
        m_backupNote->setObjectName(QStringLiteral("m_backupNote"));
        m_backupNote->setWordWrap(true);
        m_backupNote->setStyleSheet(QStringLiteral("color:rgb(0,55,100);padding:8px 2px;"));
        ui->m_pageLayout->insertWidget(ui->m_pageLayout->indexOf(ui->m_dataContent), m_backupNote);
    }
    m_backupNote->setText(
        tr("This backup is open for reading: its contacts, messages, call history and photos "
           "can be viewed and exported, but nothing in it can be changed. A backup holds no "
           "battery or storage figures."));
}

QDeviceInformationWidget::~QDeviceInformationWidget() {
    // Results still queued while the worker is waited for must not pop up a message for a page that
    // is going away.
    m_closing = true;
    StopAndWait();
}

bool QDeviceInformationWidget::InitControls() {
    const QString root = ResourceRoot();
    bool found = ui->m_deviceInformation->LoadImages();
    found = ui->m_btnData->SetImages(root + QStringLiteral("/image/btn_data.png")) && found;
    found = ui->m_btnSystem->SetImages(root + QStringLiteral("/image/btn_system.png")) && found;
    found = ui->m_btnRefresh->SetImages(root + QStringLiteral("/image/btn_refresh.png")) && found;
    MoveImageButtonCaptions(this);
    return found;
}

void QDeviceInformationWidget::LookUpRecord() {
    if (!m_manager)
        return;
    const DeviceInfo* info = CSingleDetectiPhone::Instance()->RecordOf(m_manager);
    if (info)
        m_record.emplace(*info);
}

QInformationWidget* QDeviceInformationWidget::InformationPanel() const {
    return ui->m_deviceInformation;
}

bool QDeviceInformationWidget::IsShowingData() const {
    return ui->m_dataContent->isVisibleTo(this);
}

DiskInfo QDeviceInformationWidget::LastDiskInfo() const {
    std::lock_guard lock(m_diskMutex);
    return m_diskInfo;
}

void QDeviceInformationWidget::Run() {
    emit beginRefresh();
    const int result = ReadDiskInfo();
    emit GetDiskInfoFinished();
    if (result != 0)
        emit emitGetDiskInfoFailed(result);
    emit endRefresh();
}

int QDeviceInformationWidget::ReadDiskInfo() {
    if (!m_record || !m_manager)
        return -1;
    const char* productType = m_record->Record()->properties[DP_ProductType];
    const bool legacy = productType && qstrcmp(productType, kProductWithLegacyDiskInfo) == 0;
    // Read into a scratch record so a failed call leaves the last figures on screen.
    DiskInfo disk{};
    const int result = legacy ? m_manager->GetDiskInfoLegacy(&disk) : m_manager->GetDiskInfo(&disk);
    if (result == 0) {
        std::lock_guard lock(m_diskMutex);
        m_diskInfo = disk;
    }
    return result;
}

void QDeviceInformationWidget::OnBeginRefresh() {
    ui->m_btnRefresh->setEnabled(false);
}

void QDeviceInformationWidget::OnEndRefresh() {
    ui->m_btnRefresh->setEnabled(true);
}

void QDeviceInformationWidget::onClickRefresh() {
    ui->m_btnRefresh->setEnabled(false);
    Start();
}

void QDeviceInformationWidget::onFailed(int code) {
    qDebug() << "QDeviceInformationWidget::onFailed" << code;
    if (m_closing)
        return;
    ShowMessage(tr("Get diskInfo failed!"));
}

void QDeviceInformationWidget::OnGetDiskInfoFinished() {
    const DiskInfo disk = LastDiskInfo();
    FillDataView(disk);
    FillSystemView(disk);
    onClickData();
}

void QDeviceInformationWidget::FillDataView(const DiskInfo& disk) {
    const uint64_t* values = disk.values;
    ui->m_dataContent->SetItems(
        values[DI_DataCapacity],
        {MakeItem(tr("Apps"), values[DI_Apps], "/image/line_app.png", "/image/icon_app.png"),
         MakeItem(tr("Music"), values[DI_Music], "/image/line_music.png", "/image/icon_music.png"),
         MakeItem(tr("Video"), values[DI_Video], "/image/line_video.png", "/image/icon_video.png"),
         MakeItem(tr("iBooks"), values[DI_Books], "/image/line_ibook.png", "/image/icon_ibook.png"),
         MakeItem(tr("Available"), values[DI_DataFree], "/image/line_else.png", "/image/icon_else.png")});
}

void QDeviceInformationWidget::FillSystemView(const DiskInfo& disk) {
    const uint64_t capacity = disk.values[DI_SystemCapacity];
    const uint64_t available = disk.values[DI_SystemFree];
    // A device that reports more free space than capacity has used nothing, not a wrapped huge amount.
    const uint64_t used = capacity > available ? capacity - available : 0;
    ui->m_systemContent->SetItems(
        capacity, {MakeItem(tr("Used"), used, "/image/line_contacts.png", "/image/icon_use.png"),
                   MakeItem(tr("Available"), available, "/image/line_else.png", "/image/icon_else.png")});
}

void QDeviceInformationWidget::onClickData() {
    ui->m_btnData->setEnabled(false);
    ui->m_btnSystem->setEnabled(true);
    ui->m_systemContent->hide();
    ui->m_dataContent->show();
    ui->m_capacity->setText(FormatSize(LastDiskInfo().values[DI_DataCapacity]));
}

void QDeviceInformationWidget::onClickSystem() {
    ui->m_btnSystem->setEnabled(false);
    ui->m_btnData->setEnabled(true);
    ui->m_dataContent->hide();
    ui->m_systemContent->show();
    ui->m_capacity->setText(FormatSize(LastDiskInfo().values[DI_SystemCapacity]));
}

void QDeviceInformationWidget::OnEmitRefreshTreeRootName(QString name) {
    if (!m_manager || m_backup)
        return;
    const int handle = m_manager->GetDeviceHandle();
    IDeviceService* service = m_manager->GetDeviceService();
    const int result = service ? service->SetDeviceName(reinterpret_cast<const char16_t*>(name.utf16())) : -1;
    if (result == 0) {
        // The device's record is read again: the backup, restore and transfer windows take the name
        // from it.
        DeviceInfo* record = nullptr;
        if (!m_manager->GetDeviceInfo(&record))
            qDebug() << "QDeviceInformationWidget::OnEmitRefreshTreeRootName the record was not read again";
        emit refreshTreeRootName(name, handle);
        return;
    }
    qDebug() << "QDeviceInformationWidget::OnEmitRefreshTreeRootName SetDeviceName returned" << result;
    ShowMessage(tr("Rename failed!"));
}

void QDeviceInformationWidget::OnLanguageChanged() {
    const bool showingData = IsShowingData();
    ui->retranslateUi(this);
    ui->m_deviceInformation->OnLanguangeChanged();
    InitControls();
    if (m_backup) {
        ShowBackupPage();
        return;
    }
    const QString background = ResourceRoot() + QStringLiteral("/image/line_else.png");
    ui->m_dataContent->SetBackground(background);
    ui->m_systemContent->SetBackground(background);
    const DiskInfo disk = LastDiskInfo();
    FillDataView(disk);
    FillSystemView(disk);
    if (showingData)
        onClickData();
    else
        onClickSystem();
}
