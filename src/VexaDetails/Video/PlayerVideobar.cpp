#include "PlayerVideobar.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "QConverVideoDlg.h"
#include "mediacore/MediaCore.h"

namespace {
constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 36;
} // namespace

PlayerVideobar::PlayerVideobar(const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_picture(new QLabel(this))
    , m_name(new QLabel(this))
    , m_time(new QLabel(this)) {
    m_picture->setFixedSize(kPictureWidth, kPictureHeight);
    m_picture->setStyleSheet(QStringLiteral("background:black;"));
    m_name->setText(title);
    m_name->setTextFormat(Qt::PlainText);
    m_name->setToolTip(title);
    auto* text = new QVBoxLayout;
    text->setSpacing(0);
    text->addWidget(m_name);
    text->addWidget(m_time);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_picture);
    layout->addLayout(text, 1);
}

bool PlayerVideobar::SetFile(const QString& localPath) {
    MediaInfo* info = Info_Create(3);
    if (!info || Info_Open(info, localPath.toUtf8().constData()) != MEDIACORE_OK) {
        Info_Release(info);
        return false;
    }
    m_duration = Info_GetDuration(info);
    m_formatName = QString::fromUtf8(Info_GetFormatName(info));
    m_width = Info_GetVideoWidth(info);
    m_height = Info_GetVideoHeight(info);
    m_bitRate = Info_GetVideoBitRate(info);
    m_canSeek = Info_CanSeek(info) != 0;
    if (const MediaImage* image = Info_GetVideoImage(info, 0, MEDIACORE_IMAGE_EXACT)) {
        // The engine owns the pixels until the handle goes: take a copy of our own.
        const QImage frame =
            QImage(image->pixels, image->width, image->height, image->stride, QImage::Format_RGB32).copy();
        m_picture->setPixmap(QPixmap::fromImage(
            frame.scaled(kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    Info_Release(info);
    m_time->setText(QConverVideoDlg::TimeText(m_duration / 1000));
    return true;
}

bool PlayerVideobar::HasPicture() const {
    return !m_picture->pixmap().isNull();
}
