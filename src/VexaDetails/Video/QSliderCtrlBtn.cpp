#include "QSliderCtrlBtn.h"

#include <QMouseEvent>
#include <QPainter>

#include "WidgetColors.h"

QSliderCtrlBtn::QSliderCtrlBtn(QWidget* parent)
    : QWidget(parent) {
    setFixedSize(12, 12);
    setCursor(Qt::PointingHandCursor);
}

void QSliderCtrlBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(WidgetColors::kTitleText, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

void QSliderCtrlBtn::mousePressEvent(QMouseEvent* event) {
    m_pressX = int(event->globalPosition().x());
}

void QSliderCtrlBtn::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const int x = int(event->globalPosition().x());
        emit mouseMove(event, x - m_pressX);
        m_pressX = x;
    }
}

void QSliderCtrlBtn::mouseReleaseEvent(QMouseEvent*) {
    emit released();
}
