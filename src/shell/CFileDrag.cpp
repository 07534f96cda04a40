#include "CFileDrag.h"

#include <QDrag>
#include <QPointer>
#include <QWidget>

#include "CDropFileList.h"
#include "QDropFileMimeData.h"

Qt::DropAction CFileDrag::Start(QWidget* source, const CDropFileList& list, IDropSourceCallback* callback,
                                QObject* callbackOwner) {
    if (source == nullptr || list.IsEmpty()) {
        return Qt::IgnoreAction;
    }
    // The drag deletes itself (and its data) when it ends; the source widget may die meanwhile.
    auto* drag = new QDrag(source);
    drag->setMimeData(new QDropFileMimeData(list.Paths(), callback, callbackOwner));
    return drag->exec(Qt::CopyAction, Qt::CopyAction);
}
