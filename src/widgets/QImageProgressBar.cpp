#include "QImageProgressBar.h"

#include <algorithm>
#include <cmath>

#include <QDebug>
#include <QPainter>

#include "WidgetColors.h"

namespace {

// Draws `pixmap` stretched to `target` while keeping its rounded ends: the left and right caps
// (half the height each) stay unscaled and only the middle stretches.
void drawThreeSlice(QPainter& painter, const QPixmap& pixmap, const QRect& target) {
    const int cap = std::min(pixmap.height() / 2, pixmap.width() / 3);
    if (target.width() <= 2 * cap) {
        painter.drawPixmap(target, pixmap);
        return;
    }
    const int height = pixmap.height();
    painter.drawPixmap(QRect(target.left(), target.top(), cap, target.height()), pixmap,
                       QRect(0, 0, cap, height));
    painter.drawPixmap(QRect(target.left() + cap, target.top(), target.width() - 2 * cap, target.height()),
                       pixmap, QRect(cap, 0, pixmap.width() - 2 * cap, height));
    painter.drawPixmap(QRect(target.right() - cap + 1, target.top(), cap, target.height()), pixmap,
                       QRect(pixmap.width() - cap, 0, cap, height));
}

} // namespace

QImageProgressBar::QImageProgressBar(QWidget* parent)
    : QWidget(parent)
    , m_format(QStringLiteral("%p%")) {}

void QImageProgressBar::SetRange(qint64 minimum, qint64 maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    SetValue(m_value);
    update();
}

void QImageProgressBar::SetValue(qint64 value) {
    const qint64 clamped = std::clamp(value, m_minimum, m_maximum);
    if (clamped == m_value) {
        return;
    }
    m_value = clamped;
    update();
    emit valueChanged(m_value);
}

double QImageProgressBar::Fraction() const {
    if (m_maximum == m_minimum) {
        return 0.0;
    }
    // long double keeps the difference of two extreme 64-bit values exact enough and free of overflow.
    const long double done = static_cast<long double>(m_value) - m_minimum;
    const long double span = static_cast<long double>(m_maximum) - m_minimum;
    return static_cast<double>(done / span);
}

bool QImageProgressBar::SetSliderImages(const QString& groove, const QString& fill) {
    QPixmap groovePixmap;
    QPixmap fillPixmap;
    if (!groovePixmap.load(groove) || !fillPixmap.load(fill)) {
        qDebug() << "QImageProgressBar::SetSliderImages can't load" << groove << fill;
        return false;
    }
    m_groove = groovePixmap;
    m_fill = fillPixmap;
    updateGeometry();
    update();
    return true;
}

void QImageProgressBar::SetTextVisible(bool visible) {
    m_textVisible = visible;
    update();
}

void QImageProgressBar::SetFormat(const QString& format) {
    m_format = format;
    update();
}

QString QImageProgressBar::Text() const {
    const int percent = static_cast<int>(std::floor(Fraction() * 100.0));
    QString text = m_format;
    return text.replace(QStringLiteral("%p"), QString::number(percent));
}

QSize QImageProgressBar::sizeHint() const {
    return QSize(200, m_groove.isNull() ? 14 : m_groove.height());
}

void QImageProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int fillWidth = static_cast<int>(std::lround(Fraction() * width()));
    if (!m_groove.isNull() && !m_fill.isNull()) {
        PaintImages(painter, fillWidth);
    } else {
        PaintPlain(painter, fillWidth);
    }
    if (m_textVisible) {
        painter.setPen(WidgetColors::kText);
        painter.drawText(rect(), Qt::AlignCenter, Text());
    }
}

void QImageProgressBar::PaintImages(QPainter& painter, int fillWidth) {
    drawThreeSlice(painter, m_groove, rect());
    if (fillWidth > 0) {
        drawThreeSlice(painter, m_fill, QRect(0, 0, fillWidth, height()));
    }
}

void QImageProgressBar::PaintPlain(QPainter& painter, int fillWidth) {
    const qreal radius = height() / 2.0;
    painter.setPen(QPen(WidgetColors::kTeal, 1.0));
    painter.setBrush(WidgetColors::kPaleTeal);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    if (fillWidth > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(WidgetColors::kDarkTeal);
        painter.drawRoundedRect(QRectF(0, 0, fillWidth, height()).adjusted(1, 1, -1, -1), radius, radius);
    }
}
