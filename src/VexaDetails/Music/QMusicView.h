#pragma once

#include <atomic>
#include <list>
#include <mutex>
#include <string>

#include <QStringList>

#include "QSongTableView.h"

class IBaseChunk;

// The music page of one device (object name "QMusicView"): every song and other audio item of the
// device's library. It loads them on its own thread; the list it shows is its own.
class QMusicView : public QSongTableView {
    Q_OBJECT
public:
    QMusicView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QMusicView() override;

    // The library's tag of the last load, as the refresh signal carries it.
    int LibraryKind() const { return m_libraryKind; }
    void OnAnalysisEnd() override;

public slots:
    void setMusicListInfo(std::list<IBaseChunk*>* list);
    void AddComputerFile();
    void DeleteMusicFile();
    void ShowSearchFile(const QString& text) { OnSearchString(text); }
    void ListSort(int, Qt::SortOrder) {}
    void OnPlayButton(int row) { PlaySong(row); }
    void OnPauseButton() { PauseSong(); }
    void OnTranfer(int row);
    void PlayPreviousMusic();
    void PlayNextMusic();
    void OnFailed(int code);
    void OnLanguageChanged() override;

signals:
    void sendAddComputerFile(int playlist, QStringList files, QMusicView* view);
    void sendDeleteMusicFile(QList<int> playList, QList<int> indexList);
    void emitRefreshMusicNode(int deviceHandle, QMusicView* view);
    void emitExecuteDone();
    void emitFailed(int code);
    // The library could not be read (the load ends empty).
    void emitGetPlaylistFailed();

protected:
    void Run() override;
    void EmitRefresh() override;
    void AddFiles(const QStringList& files) override;

private:
    void OnGetPlaylistFailed();

    std::list<IBaseChunk*> m_songs;
    // The worker's result, taken over by the interface thread when the load ends.
    std::mutex m_pendingLock;
    std::list<IBaseChunk*> m_pending;
    bool m_hasPending = false;
    std::string m_image;
    std::atomic<int> m_libraryKind{0};
    QAction* m_actionToPc = nullptr;
    QAction* m_actionToiTunes = nullptr;
    QAction* m_actionAdd = nullptr;
    QAction* m_actionDelete = nullptr;
};
