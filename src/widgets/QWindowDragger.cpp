#include "QWindowDragger.h"

#include <QMouseEvent>
#include <QWidget>

QWindowDragger::QWindowDragger(QWidget* window)
    : QObject(window)
    , m_window(window) {
    window->installEventFilter(this);
}

bool QWindowDragger::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_dragging = true;
            m_pressOffset = mouse->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            m_window->move(mouse->globalPosition().toPoint() - m_pressOffset);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return false;
}
