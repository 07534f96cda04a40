#include "QDragListView.h"

#include <QDropEvent>

#include "CUrlDrop.h"

QDragListView::QDragListView(QWidget* parent)
    : QListView(parent) {
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void QDragListView::startDrag(Qt::DropActions supportedActions) {
    emit doStartDrag(supportedActions);
}

void QDragListView::dragEnterEvent(QDragEnterEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QDragListView::dragMoveEvent(QDragMoveEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QDragListView::dropEvent(QDropEvent* event) {
    const QStringList paths = CUrlDrop::TakeLocalPaths(event);
    if (paths.isEmpty()) {
        return;
    }
    emit filesDropped(paths, indexAt(event->position().toPoint()));
}
