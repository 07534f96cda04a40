#include "QDragTableView.h"

#include <QDropEvent>

#include "CUrlDrop.h"

QDragTableView::QDragTableView(QWidget* parent)
    : QTableView(parent) {
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void QDragTableView::startDrag(Qt::DropActions supportedActions) {
    emit doStartDrag(supportedActions);
}

void QDragTableView::dragEnterEvent(QDragEnterEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QDragTableView::dragMoveEvent(QDragMoveEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QDragTableView::dropEvent(QDropEvent* event) {
    const QStringList paths = CUrlDrop::TakeLocalPaths(event);
    if (paths.isEmpty()) {
        return;
    }
    emit filesDropped(paths, indexAt(event->position().toPoint()));
}
