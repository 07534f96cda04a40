#include "QInformationWidget.h"

#include <QDateTime>
#include <QHeaderView>
#include <QPainter>
#include <QPointer>

#include "DeviceFormat.h"
#include "DeviceModel.h"
#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QRenameDlg.h"
#include "ui_QInformationWidget.h"

namespace {

const char* const kHeaderStyle = "QHeaderView{background-color:rgb(133,198,211);}"
                                 "QHeaderView:section{background-color:rgb(133,198,211);color:rgb(0,55,100)}";

// Models with the larger screen come with a wider card picture.
bool HasWideBackground(const QString& productType) {
    return productType == QLatin1String("iPhone7,1") || productType == QLatin1String("iPhone7,2");
}

QString PropertyText(const DeviceInfo* info, DeviceProperty property) {
    const char* text = info ? info->properties[property] : nullptr;
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

QInformationWidget::QInformationWidget(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QInformationWidget>())
    , m_model(new DeviceModel(this)) {
    ui->setupUi(this);
    ui->m_tableView->setModel(m_model);
    ui->m_tableView->verticalHeader()->hide();
    ui->m_tableView->verticalHeader()->setDefaultSectionSize(22);
    ui->m_tableView->horizontalHeader()->setStretchLastSection(true);
    ui->m_tableView->horizontalHeader()->setSectionResizeMode(DeviceModel::NameColumn,
                                                              QHeaderView::ResizeToContents);
    ui->m_tableView->horizontalHeader()->setStyleSheet(QString::fromLatin1(kHeaderStyle));
    ui->m_detailsPage->hide();
    // The table covers the card's picture; a plain white page keeps the picture from showing through.
    ui->m_detailsPage->setAutoFillBackground(true);
    QPalette white = ui->m_detailsPage->palette();
    white.setColor(QPalette::Window, Qt::white);
    ui->m_detailsPage->setPalette(white);
    ApplyStyle();

    connect(ui->m_modifyBtn, &QPushButton::clicked, this, &QInformationWidget::onClickChange);
    connect(ui->m_moreBtn, &QPushButton::clicked, this, &QInformationWidget::onClickMore);
    connect(ui->m_backBtn, &QPushButton::clicked, this, &QInformationWidget::onClickBack);
}

QInformationWidget::~QInformationWidget() = default;

void QInformationWidget::ApplyStyle() {
    const QString captionStyle = QStringLiteral("color:rgb(99,165,181);");
    const QString valueStyle = QStringLiteral("color:rgb(0,55,100);");
    for (QLabel* label : ui->m_labelPanel->findChildren<QLabel*>()) {
        const bool caption = label->objectName().startsWith(QLatin1String("m_caption"));
        label->setStyleSheet(caption ? captionStyle : valueStyle);
        label->setTextInteractionFlags(caption ? Qt::NoTextInteraction : Qt::TextSelectableByMouse);
    }
}

QString QInformationWidget::BackgroundImage() const {
    // Each family its own picture: a tablet is not drawn as a phone.
    if (m_productType.startsWith(QLatin1String("iPad")))
        return QStringLiteral("/image/message_bg_ipad.png");
    return HasWideBackground(m_productType) ? QStringLiteral("/image/message_bg_iphone6.png")
                                            : QStringLiteral("/image/message_bg.png");
}

// The card takes the size of its picture, whose left part shows the device beside the texts.
bool QInformationWidget::LoadBackground() {
    if (!m_background.load(ResourceRoot() + BackgroundImage()))
        return false;
    setFixedSize(m_background.size());
    return true;
}

bool QInformationWidget::LoadImages() {
    const QString root = ResourceRoot();
    bool found = LoadBackground();
    found = ui->m_modifyBtn->SetImages(root + QStringLiteral("/image/Changes-Name_btn.png")) && found;
    found = ui->m_moreBtn->SetImages(root + QStringLiteral("/image/more-details.png")) && found;
    found = ui->m_backBtn->SetImages(root + QStringLiteral("/image/btn_back_information.png")) && found;
    MoveImageButtonCaptions(this);
    update();
    return found;
}

void QInformationWidget::SetDeviceInfo(const DeviceInfo* info) {
    m_hasRecord = info != nullptr;
    m_productType = PropertyText(info, DP_ProductType);
    m_batteryLevel = info ? info->batteryLevel : 0;
    ui->m_name->setText(PropertyText(info, DP_DeviceName));
    ui->m_activated->setText(PropertyText(info, DP_ActivationStateAcknowledged));
    ui->m_version->setText(PropertyText(info, DP_ProductVersion));
    ui->m_serial->setText(PropertyText(info, DP_SerialNumber));
    ui->m_region->setText(PropertyText(info, DP_RegionInfo));
    m_phoneNumber = PropertyText(info, DP_PhoneNumber);
    const QString made = PropertyText(info, DP_TimeIntervalSince1970);
    m_backupDate =
        made.isEmpty()
            ? QString()
            : QDateTime::fromSecsSinceEpoch(made.toLongLong()).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    m_model->SetDeviceInfo(info);
    FillValues();
    LoadBackground();
    update();
}

void QInformationWidget::SetBackupCard(bool backup) {
    m_backup = backup;
    ui->m_modifyBtn->setVisible(!backup);
    // What a backup does not know is left out rather than shown as a made-up figure.
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->m_captionBattery), static_cast<QWidget*>(ui->m_battery),
          static_cast<QWidget*>(ui->m_captionActivated), static_cast<QWidget*>(ui->m_activated),
          static_cast<QWidget*>(ui->m_captionJailreadked), static_cast<QWidget*>(ui->m_jailreadked),
          static_cast<QWidget*>(ui->m_captionRegion), static_cast<QWidget*>(ui->m_region)})
        widget->setVisible(!backup);
    FillValues();
}

// The values that depend on the language or on a lookup rather than on one property text.
void QInformationWidget::FillValues() {
    if (m_backup) {
        // The purchase and warranty lines carry the phone number and the backup's date.
        ui->m_captionPurchased->setText(tr("phone number"));
        ui->m_purchased->setText(m_phoneNumber.isEmpty() && m_hasRecord ? tr("N/A") : m_phoneNumber);
        ui->m_captionWarranty->setText(tr("backed up"));
        ui->m_warranty->setText(m_backupDate.isEmpty() && m_hasRecord ? tr("N/A") : m_backupDate);
        ui->m_type->setText(m_hasRecord ? ModelName(m_productType) : QString());
        return;
    }
    const QString notAvailable = m_hasRecord ? tr("N/A") : QString();
    ui->m_purchased->setText(notAvailable);
    ui->m_warranty->setText(notAvailable);
    ui->m_jailreadked->setText(notAvailable);
    ui->m_type->setText(m_hasRecord ? ModelName(m_productType) : QString());
    ui->m_battery->setText(m_hasRecord ? QStringLiteral("%1%").arg(m_batteryLevel) : QString());
}

QString QInformationWidget::DeviceName() const {
    return ui->m_name->text();
}

bool QInformationWidget::IsShowingMore() const {
    return ui->m_detailsPage->isVisibleTo(this);
}

void QInformationWidget::onClickMore() {
    ui->m_summaryPage->hide();
    ui->m_detailsPage->show();
}

void QInformationWidget::onClickBack() {
    ui->m_detailsPage->hide();
    ui->m_summaryPage->show();
}

void QInformationWidget::onClickChange() {
    // On the heap and watched: the device may leave while the dialog is open, taking this card and
    // the dialog with it.
    QPointer<QInformationWidget> self(this);
    QPointer<QRenameDlg> dialog = new QRenameDlg(ui->m_name->text(), this);
    const int result = dialog->exec();
    if (!self || !dialog)
        return;
    const QString name = dialog->NewName();
    delete dialog;
    if (result != 1)
        return;
    ui->m_name->setText(name);
    emit changedDeviceName(name);
}

void QInformationWidget::OnLanguangeChanged() {
    ui->retranslateUi(this);
    FillValues();
    m_model->Retranslate();
    LoadImages();
}

void QInformationWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull()) {
        painter.fillRect(rect(), QColor(235, 248, 251));
        return;
    }
    painter.drawPixmap(0, 0, m_background);
}
