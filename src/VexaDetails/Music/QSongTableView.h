#pragma once

#include <list>

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>

#include "QBaseDetailsView.h"

class IBaseChunk;
class QMenu;
class QMusicPlayListChunk;
class QMusicPlayListModel;
class QPlayListStatusPanel;
class QSongPlayer;

// What the music page and the playlist page share: the song table with its play panel on the current
// row, the preview of a song, the context menu, the transfers to the computer and to iTunes, the drag
// of songs out of the program and the drop of audio files.
class QSongTableView : public QBaseDetailsView {
    Q_OBJECT
public:
    QSongTableView(IVexaManager* manager, int deviceHandle, QWidget* parent);
    ~QSongTableView() override;

    QMusicPlayListModel* SongModel() const { return m_songModel; }
    // The play panel of the current row, or null.
    QPlayListStatusPanel* StatusPanel() const;
    QMenu* ContextMenu() const { return m_menu; }
    // The song of a row of the table as shown (sorted, filtered), or null.
    QMusicPlayListChunk* SongAtRow(int row) const;
    // The row of the table that plays, or -1.
    int PlayingRow() const;
    QSongPlayer* Player() const { return m_player; }

    // Copies the song of the shown row to the computer and plays it; false (after "Can't play")
    // when the device did not give it.
    bool PlaySong(int row);
    void PauseSong();
    void StopSong();

public slots:
    void OnItemToPc();
    void OnItemToiTunes();

protected:
    // Builds the table over the song model; the subclass adds its menu actions afterwards.
    void InitSongTable();
    void SetSongList(std::list<IBaseChunk*>* list);
    // Audio files chosen in the "Import File" dialog with this filter, or dropped.
    QStringList ChooseAudioFiles(const QString& filter);
    virtual void AddFiles(const QStringList& files) = 0;

    QString EmptyText() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The song list changed: the play marks no longer point anywhere.
    void ForgetPlaying();

private:
    void MovePanel(const QModelIndex& current);
    void OnPlayFinished();
    void ShowPlaying(bool playing);

    QMusicPlayListModel* m_songModel = nullptr;
    QPointer<QPlayListStatusPanel> m_panel;
    // Where the panel sits; follows its row through sorting.
    QPersistentModelIndex m_panelIndex;
    QMenu* m_menu = nullptr;
    QSongPlayer* m_player = nullptr;
    const QMusicPlayListChunk* m_playing = nullptr;
};
