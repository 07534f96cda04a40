#include "QDropFileMimeData.h"

#include <QUrl>

#include "IDropSourceCallback.h"

namespace {
const QString kUriList = QStringLiteral("text/uri-list");
// Some file managers paste from this form rather than from the URL list.
const QString kGnomeFiles = QStringLiteral("x-special/gnome-copied-files");
} // namespace

QDropFileMimeData::QDropFileMimeData(const QStringList& localPaths, IDropSourceCallback* callback,
                                     QObject* callbackOwner)
    : m_paths(localPaths)
    , m_callback(callback)
    , m_callbackOwner(callbackOwner) {}

QStringList QDropFileMimeData::formats() const {
    return {kUriList, kGnomeFiles};
}

bool QDropFileMimeData::hasFormat(const QString& mimeType) const {
    return mimeType == kUriList || mimeType == kGnomeFiles;
}

void QDropFileMimeData::Materialise() const {
    // A callback that runs an event loop could see the target ask again; it copies only once.
    if (m_dropped || m_inCallback) {
        return;
    }
    m_inCallback = true;
    if (m_callback != nullptr && m_callbackOwner) {
        m_succeeded = m_callback->OnDrop();
    }
    m_inCallback = false;
    m_dropped = true;
}

QVariant QDropFileMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    if (!hasFormat(mimeType)) {
        return {};
    }
    Materialise();
    QList<QUrl> urls;
    for (const QString& path : m_paths) {
        urls.append(QUrl::fromLocalFile(path));
    }
    QByteArray text;
    if (mimeType == kGnomeFiles) {
        text = "copy";
        for (const QUrl& url : urls) {
            text += '\n' + url.toEncoded();
        }
    } else {
        for (const QUrl& url : urls) {
            text += url.toEncoded() + "\r\n";
        }
    }
    if (mimeType == kUriList && type.id() == QMetaType::QVariantList) {
        QVariantList list;
        for (const QUrl& url : urls) {
            list.append(url);
        }
        return list;
    }
    return text;
}
