#pragma once

#include <mutex>

#include <QObject>
#include <QStringList>

#include "QUtilThread.h"

class IVexaManager;

// Reads the device's playlists on its own thread and hands their names to the tree. Position 0 of the
// device's list is the whole library, which the tree shows as the "Playlist" node itself.
class QPlayAnalysisTread : public QObject, public QUtilThread {
    Q_OBJECT
public:
    QPlayAnalysisTread(IVexaManager* manager, int deviceHandle, QObject* parent = nullptr);
    ~QPlayAnalysisTread() override;

    int DeviceHandle() const { return m_deviceHandle; }
    // The user playlists of the last load, in device order.
    QStringList PlaylistNames() const;
    // The device's answer to the last load or change; 0 when it succeeded.
    int LastResult() const;

public slots:
    void AddPlaylistName(int deviceHandle, const QString& name);
    // `row` counts the user playlists from 0, as the tree shows them.
    void deletePlayList(int row);

signals:
    // Connected blocking: the loader waits until the tree has taken the names.
    void refreshPlayList(IVexaManager* manager, int libraryKind, QPlayAnalysisTread* loader);
    // A change the device refused, with its code.
    void playListChangeFailed(int code);
    // The device did not give its playlists, with its code; the tree keeps the names it had.
    void playListReadFailed(int code);

protected:
    void Run() override;

private:
    void ReportChange(int code);

    IVexaManager* m_manager;
    int m_deviceHandle;
    mutable std::mutex m_lock;
    QStringList m_names;
    int m_lastResult = 0;
};
