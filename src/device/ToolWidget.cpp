#include "ToolWidget.h"

#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "CHelpFile.h"
#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QImageButton.h"

namespace {

const char* const kGroupHeaders[] = {
    "/image/tools/tool_type/Video-Management-Tools.png",
    "/image/tools/tool_type/Contacts-Management-Tools.png",
    "/image/tools/tool_type/Device-Management-Tools.png",
    "/image/tools/tool_type/iTunes-Management-Tools.png",
    "/image/tools/tool_type/Photo-Management-Tools.png",
};

// The tiles in the order shown, each under the header of its group; CToolTiles says what they do.
const struct {
    int group;
    const char* objectName;
    const char* image; // in "/image/tools/tool_name/"
    const char* text;
} kTiles[] = {
    {0, "m_btnConvertVideo", "btn_Convert Video.png", QT_TRANSLATE_NOOP("ToolWidget", "Convert Video")},
    {1, "m_btnBackupContacts", "btn_Backup Contacts.png", QT_TRANSLATE_NOOP("ToolWidget", "Backup Contacts")},
    {2, "m_btnToolBackup", "btn_Backup.png", QT_TRANSLATE_NOOP("ToolWidget", "Backup")},
    {2, "m_btnToolRestore", "btn_Restore.png", QT_TRANSLATE_NOOP("ToolWidget", "Restore")},
    {2, "m_btnToolToDevice", "btn_To iDevice.png", QT_TRANSLATE_NOOP("ToolWidget", "To iDevice")},
    {3, "m_btnCopyToiTunes", "btn_Copy to iTunes.png", QT_TRANSLATE_NOOP("ToolWidget", "Copy to iTunes")},
    {4, "m_btnHeicToJpeg", "btn_HEIC to JPEG.png", QT_TRANSLATE_NOOP("ToolWidget", "HEIC to JPEG")},
};

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
        found = AddTiles(layout, group) && found;
    }
    return found;
}

bool ToolWidget::AddTiles(QVBoxLayout* layout, int group) {
    const QString folder = ResourceRoot() + QStringLiteral("/image/tools/tool_name/");
    auto* row = new QHBoxLayout;
    row->addSpacing(12);
    bool found = true;
    for (const auto& tile : kTiles) {
        if (tile.group != group)
            continue;
        auto* button = new QImageButton;
        button->setObjectName(QLatin1String(tile.objectName));
        found = button->SetImages(folder + QLatin1String(tile.image)) && found;
        button->setText(tr(tile.text));
        button->setToolTip(tr(tile.text));
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, &ToolWidget::onClickBtn);
        m_toolButtons << button;
    }
    row->addStretch(1);
    layout->addLayout(row);
    return found;
}

void ToolWidget::onClickBtn() {
    if (auto* button = qobject_cast<QImageButton*>(sender()))
        emit BtnSenderEmit(button);
}

void ToolWidget::onBtnclose() {
    close();
}

void ToolWidget::onBtnConnectDevice() {
    // Connecting happens by plugging a device in; the help says how and what to do when it fails.
    CHelpFile::Open(QStringLiteral("connect"));
}

void ToolWidget::resizeEvent(QResizeEvent* event) {
    QImageDialog::resizeEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
