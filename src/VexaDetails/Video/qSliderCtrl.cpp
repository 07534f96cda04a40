#include "qSliderCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include "QSliderCtrlBtn.h"
#include "WidgetColors.h"

namespace {
constexpr int kGrooveHeight = 4;
}

qSliderCtrl::qSliderCtrl(QWidget* parent)
    : QWidget(parent)
    , m_knob(new QSliderCtrlBtn(this)) {
    setMinimumHeight(m_knob->height());
    setCursor(Qt::PointingHandCursor);
    connect(m_knob, &QSliderCtrlBtn::mouseMove, this, [this](QMouseEvent*, int dx) {
        m_dragging = true;
        const int span = qMax(1, width() - m_knob->width());
        m_value = qBound(0.0, m_value + double(dx) / span, 1.0);
        PlaceKnob();
        update();
    });
    connect(m_knob, &QSliderCtrlBtn::released, this, [this] {
        if (!m_dragging)
            return;
        m_dragging = false;
        emit sendProgressValue(m_value);
    });
}

void qSliderCtrl::SetValue(double fraction) {
    if (m_dragging)
        return;
    m_value = qBound(0.0, fraction, 1.0);
    PlaceKnob();
    update();
}

double qSliderCtrl::FractionAt(int x) const {
    const int half = m_knob->width() / 2;
    const int span = qMax(1, width() - m_knob->width());
    return qBound(0.0, double(x - half) / span, 1.0);
}

void qSliderCtrl::PlaceKnob() {
    const int span = width() - m_knob->width();
    m_knob->move(int(m_value * span + 0.5), (height() - m_knob->height()) / 2);
}

void qSliderCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = m_knob->width() / 2;
    const QRect groove(half, (height() - kGrooveHeight) / 2, width() - 2 * half, kGrooveHeight);
    painter.fillRect(groove, QColor(200, 220, 226));
    QRect filled = groove;
    filled.setWidth(int(groove.width() * m_value));
    painter.fillRect(filled, WidgetColors::kTitleText);
}

void qSliderCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_value = FractionAt(int(event->position().x()));
    PlaceKnob();
    update();
    emit sendProgressValue(m_value);
}

void qSliderCtrl::resizeEvent(QResizeEvent*) {
    PlaceKnob();
}
