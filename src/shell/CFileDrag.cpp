#include "CFileDrag.h"

#include <QDrag>
#include <QWidget>

#include "QDropFileMimeData.h"

Qt::DropAction CFileDrag::Start(QWidget* source, QDropFileMimeData* data) {
    if (data == nullptr) {
        return Qt::IgnoreAction;
    }
    if (source == nullptr) {
        delete data;
        return Qt::IgnoreAction;
    }
    // The drag deletes itself, and its data with it, when it ends.
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    return drag->exec(Qt::CopyAction, Qt::CopyAction);
}
