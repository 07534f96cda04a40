#pragma once

#include <QMimeData>
#include <QPointer>
#include <QStringList>

class IDropSourceCallback;

// The data of a drag out of the device. It offers the local paths of the drag list as URLs, but the
// files behind them are copied from the device only when a drop target first asks for the URLs: a
// drag that is cancelled, or that passes over windows without being dropped, copies nothing.
class QDropFileMimeData : public QMimeData {
    Q_OBJECT
public:
    // `callbackOwner` is the QObject that carries `callback`: when it dies during the drag (the device
    // was unplugged), the URLs are still offered but nothing is copied.
    QDropFileMimeData(const QStringList& localPaths, IDropSourceCallback* callback, QObject* callbackOwner);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;
    // True once the callback ran (whatever it answered).
    bool HasDropped() const { return m_dropped; }
    bool DropSucceeded() const { return m_succeeded; }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    void Materialise() const;

    QStringList m_paths;
    IDropSourceCallback* m_callback;
    QPointer<QObject> m_callbackOwner;
    mutable bool m_dropped = false;
    mutable bool m_succeeded = false;
    mutable bool m_inCallback = false;
};
