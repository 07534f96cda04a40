#include "QBusyIndicator.h"

#include <algorithm>

#include <QPainter>

#include "WidgetColors.h"

namespace {
constexpr int kDots = 12;
constexpr int kStepMs = 80;
} // namespace

QBusyIndicator::QBusyIndicator(QWidget* parent)
    : QWidget(parent) {
    setFixedSize(sizeHint());
    m_timer.setInterval(kStepMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kDots;
        update();
    });
}

void QBusyIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal radius = std::min(width(), height()) / 2.0;
    const qreal dot = radius / 4.5;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < kDots; ++i) {
        // The dot at the current step is solid; the ones behind it fade out like a tail.
        const int age = (m_step - i + kDots) % kDots;
        QColor colour = WidgetColors::kDarkTeal;
        colour.setAlphaF(1.0 - age / static_cast<qreal>(kDots) * 0.85);
        painter.setBrush(colour);
        painter.save();
        painter.rotate(360.0 * i / kDots);
        painter.drawEllipse(QPointF(0, -(radius - dot)), dot, dot);
        painter.restore();
    }
}

void QBusyIndicator::showEvent(QShowEvent* event) {
    m_timer.start();
    QWidget::showEvent(event);
}

void QBusyIndicator::hideEvent(QHideEvent* event) {
    m_timer.stop();
    QWidget::hideEvent(event);
}
