#include "SendDrop.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QWidget>

bool SendDrop(QWidget* target, const QMimeData* data) {
    const QPoint inside(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(inside, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(inside), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}
