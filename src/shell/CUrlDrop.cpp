#include "CUrlDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "QDropFileMimeData.h"

QStringList CUrlDrop::LocalPaths(const QMimeData* data) {
    // Asking our own drag for its URLs would copy the entries off the device just to put them back.
    if (data == nullptr || qobject_cast<const QDropFileMimeData*>(data) != nullptr || !data->hasUrls()) {
        return {};
    }
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            QString path = url.toLocalFile();
            // A trailing slash (folders from some file managers) would leave the folder's name empty.
            while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
                path.chop(1);
            }
            paths.append(path);
        }
    }
    return paths;
}

bool CUrlDrop::AcceptCopy(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data == nullptr || qobject_cast<const QDropFileMimeData*>(data) != nullptr || !data->hasUrls()) {
        event->ignore();
        return false;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            event->setDropAction(Qt::CopyAction);
            event->accept();
            return true;
        }
    }
    event->ignore();
    return false;
}

QStringList CUrlDrop::TakeLocalPaths(QDropEvent* event) {
    const QStringList paths = LocalPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return paths;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return paths;
}
