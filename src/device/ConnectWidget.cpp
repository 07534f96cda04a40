#include "ConnectWidget.h"

#include <QDebug>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QMovie>
#include <QTimer>
#include <QVBoxLayout>

#include <vexa/vexa.h>

#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QImageDialog.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "ui_ConnectWidget.h"

namespace {
const char* const kHelpCenter = "https://www.quorvane.com/support/";
// How often the waiting screen looks whether usbmuxd has started (it starts when a device is plugged in).
constexpr int kTransportPollMs = 500;
} // namespace

ConnectWidget::ConnectWidget(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ConnectWidget>()) {
    ui->setupUi(this);
    if (!InitControls())
        qDebug() << "ConnectWidget::InitControls can't find an image";
    connect(ui->m_btnRetry, &QPushButton::clicked, this, &ConnectWidget::onBtnRetry);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &ConnectWidget::onThisBtnCancel);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &ConnectWidget::OnLanguageChanged);
    SetHelpLink();
    m_transportTimer = new QTimer(this);
    m_transportTimer->setInterval(kTransportPollMs);
    connect(m_transportTimer, &QTimer::timeout, this, &ConnectWidget::OnTransportTimer);
    setConnectState(BeforeConnection);
}

ConnectWidget::~ConnectWidget() = default;

void ConnectWidget::PlayMovie(QMovie*& movie, const QString& path, QLabel* label) {
    delete movie;
    movie = new QMovie(path, QByteArray(), this);
    label->setMovie(movie);
    movie->start();
}

bool ConnectWidget::InitControls() {
    const QString root = ResourceRoot();
    PlayMovie(m_promptMovie, root + QStringLiteral("/image/1.gif"), ui->m_PromptLabel);
    PlayMovie(m_connectingMovie, root + QStringLiteral("/image/connecting.gif"), ui->m_ConnecttingLabel);
    bool found = m_promptMovie->isValid() && m_connectingMovie->isValid();

    const QPixmap supported(root + QStringLiteral("/image/IOS_Devices_Supported.png"));
    const QPixmap failed(root + QStringLiteral("/image/Connection-failed.png"));
    const QPixmap help(root + QStringLiteral("/image/Need-some-help-.png"));
    ui->m_SupportedImage->setPixmap(supported);
    ui->m_fialImage->setPixmap(failed);
    ui->m_helpImage->setPixmap(help);
    found = found && !supported.isNull() && !failed.isNull() && !help.isNull();

    found = ui->m_processbar->SetSliderImages(root + QStringLiteral("/image/trake_slider2.png"),
                                              root + QStringLiteral("/image/trake_slider.png")) &&
            found;
    found = ui->m_btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    found = ui->m_btnRetry->SetImages(root + QStringLiteral("/image/Retry_Btn.png")) && found;
    MoveImageButtonCaptions(this);
    return found;
}

bool ConnectWidget::setConnectState(int state) {
    if (state < BeforeConnection || state > ConnectionFailed) {
        qDebug() << "setConnectState ----- error";
        return false;
    }
    m_state = state;
    ui->m_beforeConPage->setVisible(state == BeforeConnection);
    ui->m_connecttingPage->setVisible(state == Connecting);
    ui->m_failPage->setVisible(state == ConnectionFailed);
    if (state == BeforeConnection) {
        OnTransportTimer();
        m_transportTimer->start();
    } else {
        m_transportTimer->stop();
    }
    return true;
}

void ConnectWidget::OnTransportTimer() {
    ShowTransport(IOSTransportState());
}

void ConnectWidget::ShowTransport(int transport) {
    m_transport = transport;
    QString text;
    if (transport == VEXA_TRANSPORT_WAITING) {
        text = tr("Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the "
                  "computer's device service (usbmuxd) has started.");
    } else if (transport == VEXA_TRANSPORT_NOT_INSTALLED) {
        text = tr("The device service usbmuxd is not installed on this computer. Install the Debian package "
                  "\"usbmuxd\" (sudo apt install usbmuxd), then plug your device in and unlock it.");
    }
    ui->m_transportLabel->setText(text);
    ui->m_transportLabel->setVisible(!text.isEmpty());
}

void ConnectWidget::onBtnRetry() {
    setConnectState(Connecting);
    // A device that refused to trust this computer is asked again; its answer replaces this screen.
    IOSRetryPairing();
}

void ConnectWidget::onThisBtnCancel() {
    if (m_dialog)
        return;
    const QString root = ResourceRoot();
    auto* dialog = new QImageDialog(this);
    dialog->setObjectName(QStringLiteral("CancelConnectionDlg"));
    m_dialog = dialog;
    auto* btnOk = new QImageButton(dialog);
    auto* btnCancel = new QImageButton(dialog);
    auto* btnClose = new QImageButton(dialog);
    btnOk->setObjectName(QStringLiteral("m_btnOk"));
    btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    btnClose->setObjectName(QStringLiteral("m_btnClose"));
    btnOk->setText(tr("OK"));
    btnCancel->setText(tr("Cancel"));
    bool found = dialog->SetBackgroundImage(root + QStringLiteral("/image/bg_Cancel-Connection.png"));
    found = btnOk->SetImages(root + QStringLiteral("/image/btn_ok.png")) && found;
    found = btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    found = btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    MoveImageButtonCaptions(dialog);
    if (!found) {
        qDebug() << "ConnectWidget::onThisBtnCancel can't find an image";
        dialog->setFixedSize(400, 200);
    }

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(btnClose);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addSpacing(24);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(6, 4, 6, 18);
    layout->addLayout(top);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, &ConnectWidget::onDialogBtnOK);
    connect(btnCancel, &QPushButton::clicked, this, &ConnectWidget::onDialogBtnCancel);
    connect(btnClose, &QPushButton::clicked, this, &ConnectWidget::onDialogBtnCancel);
    connect(dialog, &QDialog::rejected, this, &ConnectWidget::onDialogBtnCancel);
    dialog->exec();
}

void ConnectWidget::onDialogBtnOK() {
    setConnectState(ConnectionFailed);
    CloseDialog();
}

void ConnectWidget::onDialogBtnCancel() {
    CloseDialog();
}

void ConnectWidget::CloseDialog() {
    if (!m_dialog)
        return;
    QImageDialog* dialog = m_dialog;
    m_dialog = nullptr;
    dialog->close();
    dialog->deleteLater();
}

void ConnectWidget::SetHelpLink() {
    ui->m_helpLabelURL->setText(
        QStringLiteral("<a href=\"%1\" style=\"color:rgb(41,128,160);\">%2</a>")
            .arg(QLatin1String(kHelpCenter), tr("Go to Help Center>>").toHtmlEscaped()));
}

void ConnectWidget::ShowTrustPrompt(bool failed) {
    m_trustPrompt = failed ? 1 : 0;
    setConnectState(failed ? ConnectionFailed : Connecting);
    if (failed) {
        ui->m_trustLabel->setText(
            tr("The device did not trust this computer. Unplug it, plug it in again, "
               "unlock it and tap \"Trust\" when it asks whether to trust this computer."));
    } else {
        ui->m_deviceNameLabel->setText(
            tr("Unlock your device and tap \"Trust\" when it asks whether to trust this computer."));
    }
    ui->m_trustLabel->setVisible(failed);
}

void ConnectWidget::OnLanguageChanged() {
    ui->retranslateUi(this);
    SetHelpLink();
    InitControls();
    if (m_trustPrompt >= 0)
        ShowTrustPrompt(m_trustPrompt == 1);
    if (m_transport >= 0)
        ShowTransport(m_transport);
}

void ConnectWidget::enterEvent(QEnterEvent* event) {
    setCursor(Qt::ArrowCursor);
    QWidget::enterEvent(event);
}
