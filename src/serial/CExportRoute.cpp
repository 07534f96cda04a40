#include "CExportRoute.h"

#include <QHash>

CExportRoute::Kind CExportRoute::For(const QString& objectName, int* fileKind) {
    static const QHash<QString, int> fileKinds = {
        {QStringLiteral("QPhotoView"), 0}, {QStringLiteral("QVideoView"), 1},
        {QStringLiteral("QMusicView"), 1}, {QStringLiteral("QPlayListView"), 1},
        {QStringLiteral("QiBookView"), 2}, {QStringLiteral("QAppsView"), 3},
    };
    if (objectName == QLatin1String("PhotoView")) {
        return Kind::PhotoBrowser;
    }
    if (objectName == QLatin1String("QSystemView")) {
        return Kind::FileBrowser;
    }
    if (objectName == QLatin1String("QContactsView") || objectName == QLatin1String("qmessageView") ||
        objectName == QLatin1String("QCallsView")) {
        return Kind::RecordFile;
    }
    const auto found = fileKinds.constFind(objectName);
    if (found == fileKinds.constEnd()) {
        return Kind::Nothing;
    }
    if (fileKind) {
        *fileKind = found.value();
    }
    return Kind::FileFolder;
}
