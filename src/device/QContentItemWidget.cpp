#include "QContentItemWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace {
constexpr int kSwatchSize = 12;
constexpr int kIconSize = 20;
} // namespace

QContentItemWidget::QContentItemWidget(QWidget* parent)
    : QWidget(parent)
    , m_image(new QLabel(this))
    , m_icon(new QLabel(this))
    , m_text(new QLabel(this)) {
    m_image->setObjectName(QStringLiteral("m_image"));
    m_icon->setObjectName(QStringLiteral("m_icon"));
    m_text->setObjectName(QStringLiteral("m_text"));
    m_image->setFixedSize(kSwatchSize, kSwatchSize);
    m_icon->setFixedSize(kIconSize, kIconSize);
    m_text->setStyleSheet(QStringLiteral("color:rgb(0,55,100);"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 12, 0);
    layout->setSpacing(5);
    layout->addWidget(m_image);
    layout->addWidget(m_icon);
    layout->addWidget(m_text);
}

bool QContentItemWidget::SetContent(const QString& stripPath, const QString& iconPath, const QString& text) {
    m_text->setText(text);
    // The strip is a horizontal run of the segment's colour; a square cut of it makes the swatch.
    const QPixmap strip(stripPath);
    const QPixmap icon(iconPath);
    m_image->setPixmap(strip.isNull() ? QPixmap() : strip.scaled(kSwatchSize, kSwatchSize));
    m_icon->setPixmap(icon.isNull()
                          ? QPixmap()
                          : icon.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return !strip.isNull() && !icon.isNull();
}

QString QContentItemWidget::Text() const {
    return m_text->text();
}
