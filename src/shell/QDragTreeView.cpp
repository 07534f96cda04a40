#include "QDragTreeView.h"

#include <QDropEvent>

#include "CUrlDrop.h"

QDragTreeView::QDragTreeView(QWidget* parent)
    : QTreeView(parent) {
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void QDragTreeView::startDrag(Qt::DropActions supportedActions) {
    emit doStartDrag(supportedActions);
}

void QDragTreeView::dragEnterEvent(QDragEnterEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QDragTreeView::dragMoveEvent(QDragMoveEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QDragTreeView::dropEvent(QDropEvent* event) {
    const QStringList paths = CUrlDrop::TakeLocalPaths(event);
    if (paths.isEmpty()) {
        return;
    }
    emit filesDropped(paths, indexAt(event->position().toPoint()));
}
