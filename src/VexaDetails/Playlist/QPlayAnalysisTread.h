#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "QAnalysisThread.h"

class IVexaManager;
class IMediaLibrary;
class PlaylistEntry;

// Reads the device's playlists on its own thread, and makes the one playlist change asked for before
// each reading. Position 0 of the device's list is the whole library; 1 and up are the user's
// playlists. The entries of a reading replace the previous ones on the interface thread, so the tree
// and the playlist page never see a list change under them.
class QPlayAnalysisTread : public QObject, public QAnalysisThread {
    Q_OBJECT
public:
    QPlayAnalysisTread(IVexaManager* manager, int deviceHandle, QObject* parent = nullptr);
    ~QPlayAnalysisTread() override;

    RecoverType GetCategoryType() const override { return RecoverType(0); }
    IVexaManager* Manager() const { return m_manager; }
    int DeviceHandle() const { return m_deviceHandle; }
    // Interface thread: the playlists of the last reading, the library included.
    int PlaylistCount() const { return int(m_entries.size()); }
    PlaylistEntry* Entry(int position) const;
    // The user playlists' names, in device order.
    QStringList PlaylistNames() const;
    // Whether the device's playlists can be made and deleted here (a real phone's cannot).
    bool IsWritable() const;
    // Whether a reading has ended since the loader was made.
    bool HasRead() const { return m_hasRead; }

    // The add routine of the add dialog (its worker thread): adds the files to the library and to the
    // playlist at `listPos`. Returns the library's code.
    int addComputerFile(int listPos, const QStringList& filePathList, int& progress);

public slots:
    void DeleteAudioFile(int PlayListPos, QList<int> MusicListPos);
    void AddPlaylistName(int PlayListPos, const QString& listName);
    void deletePlayList(int PlayListPos);
    void RefreshList();
    void OnGetPlaylistFailed();

signals:
    void refreshPlayList(IVexaManager* manager, int type, QPlayAnalysisTread* thread);
    void emitGetPlaylistFailed();
    // The device cannot give its playlists yet; no message, the page says so.
    void emitUnavailable();
    // The device refused the playlist change: a delete when `deleting`, else an add.
    void emitChangeFailed(bool deleting);

protected:
    void Run() override;

private:
    void ChangePlaylists(IMediaLibrary* library);
    void OnEntriesReady();
    void OnChangeFailed(bool deleting);

    IVexaManager* m_manager;
    int m_deviceHandle;
    std::vector<std::unique_ptr<PlaylistEntry>> m_entries;
    bool m_hasRead = false;

    // Shared with the worker.
    std::mutex m_lock;
    bool m_deleteFlag = false;
    int m_deletePosition = 0;
    bool m_addFlag = false;
    QString m_addName;
    std::vector<std::unique_ptr<PlaylistEntry>> m_pending;
    int m_pendingKind = 0;
    int m_playlistCount = 0;
    std::string m_image;
};
