#pragma once

#include <list>

#include <QList>
#include <QModelIndex>
#include <QPointer>
#include <QStringList>

#include "QSongTableView.h"

class IBaseChunk;
class QListView;
class QMusicPlayListModel;
class CReadOnlyPage;
class QPlayAnalysisTread;

// The playlist page of one device (object name "QPlayListView"): the device's playlists on the left,
// the songs of the one shown on the right. Its songs belong to the playlist thread's entries; the
// page follows every reading of the thread.
class QPlayListView : public QSongTableView {
    Q_OBJECT
public:
    QPlayListView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QPlayListView() override;

    void SetLoader(QPlayAnalysisTread* loader);
    QPlayAnalysisTread* Loader() const { return m_loader; }
    // Shows the playlist at `position` (1 and up); the first playlist when there is no such one.
    void ShowPlaylist(int position);
    // The position of the playlist shown, or -1 when the device has none.
    int CurrentPosition() const { return m_position; }
    QMusicPlayListModel* ListModel() const { return m_listModel; }
    QListView* PlaylistList() const { return m_list; }

public slots:
    void PlayMusic(int row) { PlaySong(row); }
    void PauseVideo() { PauseSong(); }
    void PlayFinished();
    void PlayNext(int row);
    void closeMusicPlay(const QModelIndex&) { StopSong(); }
    void listActPlayMusic();
    void AddComputerFile();
    void deleteAudioFile();
    void AtcDeleteAudioFile() { deleteAudioFile(); }
    void addPlayListOrFile() { AddComputerFile(); }
    void ToiThunes() { OnItemToiTunes(); }
    void ListSort(int, Qt::SortOrder) {}
    void OnResetTableModel();
    void OnResetListModel();
    void OnPlayIndex(int row) { PlaySong(row); }
    void OnLanguageChanged() override;

signals:
    void setStatusPlay();
    void setStatusPause();
    void sendAddComputerFile(int ListPos, QStringList filePath, QPlayAnalysisTread* thread);
    void sendDeleteAudioFile(int PlayListPos, QList<int> MusicListPos);
    void addPlayListItem();
    void RefreshList();

protected:
    void AddFiles(const QStringList& files) override;

private:
    void ClearPlaylistChunks();

    QPointer<QPlayAnalysisTread> m_loader;
    CReadOnlyPage* m_readOnly = nullptr;
    int m_position = -1;
    QListView* m_list = nullptr;
    QMusicPlayListModel* m_listModel = nullptr;
    // One record per user playlist for the list on the left.
    std::list<IBaseChunk*> m_playlistChunks;
    std::list<IBaseChunk*> m_noSongs;
    QAction* m_actionToiTunes = nullptr;
    QAction* m_actionToPc = nullptr;
    QAction* m_actionAdd = nullptr;
    QAction* m_actionDelete = nullptr;
    QAction* m_actionPlay = nullptr;
    QAction* m_actionToDevice = nullptr;
};
