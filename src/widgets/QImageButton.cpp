#include "QImageButton.h"

#include <QDebug>
#include <QEnterEvent>
#include <QPainter>

#include "WidgetColors.h"

QImageButton::QImageButton(QWidget* parent)
    : QPushButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

bool QImageButton::SetImages(const QString& stripPath, int states) {
    QPixmap strip;
    if (states < 1 || !strip.load(stripPath) || strip.width() < states) {
        qDebug() << "QImageButton::SetImages can't load" << stripPath << "with" << states << "states";
        return false;
    }
    const int frameWidth = strip.width() / states;
    std::array<QPixmap, StateCount> frames;
    for (int state = 0; state < StateCount; ++state) {
        frames[state] =
            state < states ? strip.copy(state * frameWidth, 0, frameWidth, strip.height()) : frames[Normal];
    }
    ApplyFrames(frames);
    return true;
}

bool QImageButton::SetImages(const QString& normal, const QString& hover, const QString& pressed,
                             const QString& disabled) {
    const std::array<QString, StateCount> paths{normal, hover, pressed, disabled};
    std::array<QPixmap, StateCount> frames;
    for (int state = 0; state < StateCount; ++state) {
        if (!frames[state].load(paths[state])) {
            qDebug() << "QImageButton::SetImages can't load" << paths[state];
            return false;
        }
    }
    ApplyFrames(frames);
    return true;
}

void QImageButton::ApplyFrames(const std::array<QPixmap, StateCount>& frames) {
    m_frames = frames;
    setFixedSize(m_frames[Normal].size());
    updateGeometry();
    update();
}

QImageButton::State QImageButton::CurrentState() const {
    if (!isEnabled()) {
        return Disabled;
    }
    if (isDown() || isChecked()) {
        return Pressed;
    }
    return m_hovered ? Hover : Normal;
}

QSize QImageButton::sizeHint() const {
    return HasImages() ? m_frames[Normal].size() : QPushButton::sizeHint();
}

void QImageButton::paintEvent(QPaintEvent* event) {
    if (!HasImages()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_frames[CurrentState()]);
    // Most images carry their caption; a text set in code is drawn over the image.
    if (!text().isEmpty()) {
        painter.setPen(isEnabled() ? WidgetColors::kText : Qt::gray);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
}

void QImageButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void QImageButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}
