#include "QRightFuntionWidget.h"

#include <vexa/IVexaManager.h>
#include <vexa/VexaServices.h>

#include <QDebug>
#include <QPainter>

#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"
#include "ui_QRightFuntionWidget.h"

QRightFuntionWidget::QRightFuntionWidget(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QRightFuntionWidget>()) {
    ui->setupUi(this);
    OnLanguageChanged();
    connect(ui->m_btnToComputer, &QPushButton::clicked, this, &QRightFuntionWidget::clickPc);
    connect(ui->m_btnToDevice, &QPushButton::clicked, this, &QRightFuntionWidget::clickToDevice);
    connect(ui->m_btnToiTunes, &QPushButton::clicked, this, &QRightFuntionWidget::clickToiTunes);
    connect(ui->m_btnBackup, &QPushButton::clicked, this, &QRightFuntionWidget::clickBackup);
    connect(ui->m_btnRestore, &QPushButton::clicked, this, &QRightFuntionWidget::clickRestore);
    connect(ui->m_btnTools, &QPushButton::clicked, this, &QRightFuntionWidget::clickTools);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QRightFuntionWidget::OnLanguageChanged);
}

QRightFuntionWidget::~QRightFuntionWidget() = default;

bool QRightFuntionWidget::InitControls() {
    const QString root = ResourceRoot();
    bool found = m_background.load(root + QStringLiteral("/image/right_bg.png"));
    found = ui->m_btnToComputer->SetImages(root + QStringLiteral("/image/BTN_computer.png")) && found;
    found = ui->m_btnToDevice->SetImages(root + QStringLiteral("/image/BTN_iDevices.png")) && found;
    found = ui->m_btnToiTunes->SetImages(root + QStringLiteral("/image/BTN_iTunes.png")) && found;
    found = ui->m_btnBackup->SetImages(root + QStringLiteral("/image/BTN_Backup.png")) && found;
    found = ui->m_btnRestore->SetImages(root + QStringLiteral("/image/BTN_Restore.png")) && found;
    found = ui->m_btnTools->SetImages(root + QStringLiteral("/image/BTN_All Tools.png")) && found;
    MoveImageButtonCaptions(this);
    update();
    return found;
}

void QRightFuntionWidget::SetToolsEnabled(int enabled) {
    const bool on = enabled != 0;
    ui->m_btnToComputer->setEnabled(on);
    ui->m_btnToiTunes->setEnabled(on);
    ui->m_btnBackup->setEnabled(on);
    ui->m_btnRestore->setEnabled(on);
    if (on)
        ui->m_btnTools->setEnabled(true);
    else
        ui->m_btnToDevice->setEnabled(false);
}

void QRightFuntionWidget::ShowToolsFor(IVexaManager* manager) {
    IDeviceService* service = manager ? manager->GetDeviceService() : nullptr;
    const bool backup = service && service->GetWriteAccess() == kContentReadOnlyBackup;
    ui->m_btnBackup->setVisible(!backup);
    ui->m_btnRestore->setVisible(!backup);
}

QImageButton* QRightFuntionWidget::Button(const char* objectName) const {
    return findChild<QImageButton*>(QLatin1String(objectName));
}

void QRightFuntionWidget::OnLanguageChanged() {
    ui->retranslateUi(this);
    ui->m_btnToComputer->setToolTip(tr("Transfer data to local computer"));
    ui->m_btnToDevice->setToolTip(tr("Transfer data to iPhone, iPad or iPod"));
    ui->m_btnToiTunes->setToolTip(tr("Transfer data to iTunes library"));
    ui->m_btnBackup->setToolTip(tr("Create backup of iOS devices to computer"));
    ui->m_btnRestore->setToolTip(tr("Restore backup to iOS devices"));
    ui->m_btnTools->setToolTip(tr("All tools"));
    if (!InitControls())
        qDebug() << "QRightFuntionWidget::InitControls can't find an image";
}

void QRightFuntionWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(216, 243, 249));
    else
        painter.drawPixmap(rect(), m_background);
}
