#include "QAjustSizeWidget.h"

#include <QMouseEvent>

namespace {

Qt::CursorShape CursorFor(tagFlag flag) {
    switch (flag) {
    case FlagLeft:
    case FlagRight:
        return Qt::SizeHorCursor;
    case FlagTop:
    case FlagBottom:
        return Qt::SizeVerCursor;
    case FlagLeftTop:
    case FlagRightBottom:
        return Qt::SizeFDiagCursor;
    case FlagRightTop:
    case FlagLeftBottom:
        return Qt::SizeBDiagCursor;
    }
    return Qt::ArrowCursor;
}

} // namespace

QAjustSizeWidget::QAjustSizeWidget(QWidget* parent)
    : QWidget(parent) {
    setMouseTracking(true);
    setCursor(CursorFor(m_flag));
}

void QAjustSizeWidget::SetFlag(tagFlag flag) {
    m_flag = flag;
    setCursor(CursorFor(flag));
}

void QAjustSizeWidget::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void QAjustSizeWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed)
        return;
    const QPoint global = event->globalPosition().toPoint();
    emit mouseMove(m_flag, global.x(), global.y());
    event->accept();
}

void QAjustSizeWidget::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = false;
    event->accept();
}
