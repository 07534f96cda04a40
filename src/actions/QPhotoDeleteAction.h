#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTimer>

#include "IDlgProxyProcess.h"
#include "QBaseAction.h"
#include "QUtilThread.h"

class IPhotoLibrary;
struct PhotoRecord;

// Deletes photos on a thread of its own with one library call, while a timer on the widget thread
// polls the library's count of photos handled and reports it. The records belong to the photo page.
class QPhotoDeleteAction : public QBaseAction, public IDlgProxyProcess, public QUtilThread {
    Q_OBJECT
public:
    explicit QPhotoDeleteAction(IPhotoLibrary* library, QObject* parent = nullptr);
    ~QPhotoDeleteAction() override;

    // `text` is read as Latin-1 and handed to the library unchanged, as is `kind`.
    void SetDeleteItems(const QList<const PhotoRecord*>& items, const char* text, int kind);

    bool StartProcess() override;

signals:
    void launchTimer();

public slots:
    void OnLaunchTimer();

protected:
    void Run() override;

private:
    QTimer m_timer;
    QByteArray m_bytes;
    IPhotoLibrary* m_library;
    QList<const PhotoRecord*> m_items;
    QString m_text;
    int m_kind = 0;
};
