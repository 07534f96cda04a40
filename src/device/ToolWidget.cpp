#include "ToolWidget.h"

#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QImageButton.h"

namespace {

const char* const kGroupHeaders[] = {
    "/image/tools/tool_type/Video-Management-Tools.png",
    "/image/tools/tool_type/Contacts-Management-Tools.png",
    "/image/tools/tool_type/Device-Management-Tools.png",
    "/image/tools/tool_type/iTunes-Management-Tools.png",
};
constexpr int kContactsGroup = 1;
constexpr int kDeviceGroup = 2;

} // namespace

ToolWidget::ToolWidget(QWidget* parent)
    : QImageDialog(parent)
    , m_btn_close(new QImageButton(this))
    , m_scroll(new QScrollArea(this))
    , m_btnConnectDevice(new QImageButton(this)) {
    setObjectName(QStringLiteral("ToolWidget"));
    setWindowTitle(tr("All tools"));
    m_btn_close->setObjectName(QStringLiteral("m_btn_close"));
    m_scroll->setObjectName(QStringLiteral("m_scroll"));
    m_btnConnectDevice->setObjectName(QStringLiteral("m_btnConnectDevice"));
    m_btnConnectDevice->setText(tr("conncect device >>"));

    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/toolWidget.png"));
    found = m_btn_close->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    found = m_btnConnectDevice->SetImages(root + QStringLiteral("/image/Connect iDevices_BTN.png")) && found;
    if (!HasBackgroundImage())
        setFixedSize(640, 460);

    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("m_scrollContents"));
    contents->setStyleSheet(QStringLiteral("background-color: white"));
    auto* groups = new QVBoxLayout(contents);
    groups->setContentsMargins(16, 12, 16, 12);
    groups->setSpacing(10);
    found = BuildGroups(groups) && found;
    groups->addStretch(1);
    m_scroll->setWidget(contents);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setStyleSheet(QStringLiteral("background-color: white"));
    MoveImageButtonCaptions(this);
    if (!found)
        qDebug() << "ToolWidget::ToolWidget can't find an image";

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(m_btn_close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_btnConnectDevice);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 14, 14);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(bottom);

    connect(m_btn_close, &QPushButton::clicked, this, &ToolWidget::onBtnclose);
    connect(m_btnConnectDevice, &QPushButton::clicked, this, &ToolWidget::onBtnConnectDevice);
}

bool ToolWidget::BuildGroups(QVBoxLayout* layout) {
    const QString root = ResourceRoot();
    bool found = true;
    for (int group = 0; group < static_cast<int>(std::size(kGroupHeaders)); ++group) {
        auto* header = new QLabel;
        const QPixmap image(root + QLatin1String(kGroupHeaders[group]));
        found = !image.isNull() && found;
        header->setPixmap(image);
        layout->addWidget(header);
        if (group == kContactsGroup) {
            QImageButton* tool =
                AddTool(layout, QStringLiteral("m_btnBackupContacts"),
                        root + QStringLiteral("/image/tools/tool_name/btn_Backup Contacts.png"));
            tool->setText(tr("Backup Contacts"));
            tool->setToolTip(tr("Backup Contacts"));
            found = tool->HasImages() && found;
        }
        if (group == kDeviceGroup)
            found = AddDeviceTools(layout) && found;
    }
    return found;
}

bool ToolWidget::AddDeviceTools(QVBoxLayout* layout) {
    const QString root = ResourceRoot() + QStringLiteral("/image/tools/tool_name/");
    const struct {
        const char* objectName;
        const char* image;
        QString text;
    } tools[] = {{"m_btnToolBackup", "btn_Backup.png", tr("Backup")},
                 {"m_btnToolRestore", "btn_Restore.png", tr("Restore")},
                 {"m_btnToolToDevice", "btn_To iDevice.png", tr("To iDevice")}};
    auto* row = new QHBoxLayout;
    row->addSpacing(12);
    bool found = true;
    for (const auto& entry : tools) {
        auto* button = new QImageButton;
        button->setObjectName(QLatin1String(entry.objectName));
        found = button->SetImages(root + QLatin1String(entry.image)) && found;
        button->setText(entry.text);
        button->setToolTip(entry.text);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, &ToolWidget::onClickBtn);
        m_toolButtons << button;
    }
    row->addStretch(1);
    layout->addLayout(row);
    return found;
}

QImageButton* ToolWidget::AddTool(QVBoxLayout* layout, const QString& objectName, const QString& image) {
    auto* row = new QHBoxLayout;
    auto* button = new QImageButton;
    button->setObjectName(objectName);
    button->SetImages(image);
    row->addSpacing(12);
    row->addWidget(button);
    row->addStretch(1);
    layout->addLayout(row);
    connect(button, &QPushButton::clicked, this, &ToolWidget::onClickBtn);
    m_toolButtons << button;
    return button;
}

void ToolWidget::onClickBtn() {
    if (auto* button = qobject_cast<QImageButton*>(sender()))
        emit BtnSenderEmit(button);
}

void ToolWidget::onBtnclose() {
    close();
}

void ToolWidget::onBtnConnectDevice() {
    // Connecting happens by plugging a device in; the button only points the way.
}

void ToolWidget::resizeEvent(QResizeEvent* event) {
    QImageDialog::resizeEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
