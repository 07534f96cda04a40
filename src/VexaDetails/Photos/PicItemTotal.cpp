#include "PicItemTotal.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <vexa/VexaRecords.h>

#include "PhotoAlbumNames.h"
#include "RetractLabel.h"

namespace {
constexpr int kCoverSide = 120;
} // namespace

PicItemTotal::PicItemTotal(const CAlbumInfo& album, QWidget* parent)
    : QFrame(parent)
    , m_album(album)
    , m_cover(new QLabel(this))
    , m_check(new QCheckBox(this))
    , m_name(new RetractLabel(this)) {
    setObjectName(QStringLiteral("PicItemTotal"));
    setFixedSize(150, 178);
    setStyleSheet(
        QStringLiteral("PicItemTotal{background:rgb(245,250,251);border:1px solid rgb(122,190,204);}"));
    m_cover->setFixedSize(kCoverSide, kCoverSide);
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setStyleSheet(QStringLiteral("background:white;color:rgb(122,190,204);"));
    if (!m_album.cover.isNull()) {
        m_cover->setPixmap(QPixmap::fromImage(
            m_album.cover.scaled(kCoverSide, kCoverSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    m_check->setObjectName(QStringLiteral("m_albumCheck"));
    m_name->setFixedWidth(140);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 8, 5, 6);
    layout->setSpacing(6);
    layout->addWidget(m_cover, 0, Qt::AlignHCenter);
    layout->addWidget(m_name, 0, Qt::AlignHCenter);
    m_check->move(8, 10);
    m_check->raise();
    connect(m_name, &RetractLabel::emitChangeName, this, &PicItemTotal::OnNameChanged);
    Retranslate();
}

bool PicItemTotal::IsChecked() const {
    return m_check->isChecked();
}

void PicItemTotal::SetChecked(bool checked) {
    m_check->setChecked(checked);
}

QString PicItemTotal::ShownText() const {
    if (m_album.type == ALBUM_PHOTO_STREAM) {
        return tr("PhotoStream") + QStringLiteral(" (%1)").arg(m_album.photoCount);
    }
    return QStringLiteral("%1 (%2)").arg(DisplayAlbumName(m_album.name)).arg(m_album.photoCount);
}

void PicItemTotal::Retranslate() {
    m_name->SetText(ShownText(), m_album.name);
    if (m_album.cover.isNull()) {
        m_cover->setText(tr("No cover"));
    }
}

void PicItemTotal::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_nameEditable && m_name->geometry().contains(event->position().toPoint())) {
        m_name->StartEdit();
        return;
    }
    emit emitDoubleClicked(m_album.id.data(), m_album.type);
}

void PicItemTotal::OnNameChanged() {
    emit emitChangeName(m_album.id.data(), m_name->NewName());
}
