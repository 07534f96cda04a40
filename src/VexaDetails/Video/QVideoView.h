#pragma once

#include <atomic>
#include <list>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <QList>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include "IDropSourceCallback.h"
#include "QBaseDetailsView.h"

class IBaseChunk;
class PlayerWidget;
class QMenu;
class QPlayListStatusPanel;
class QVideoChunk;
class QVideoPlayModel;

// The video page of one device (object name "QVideoView"): the music videos and movies of the
// device's library. Adds video files (converting what is not MP4 first), deletes videos, plays them
// in the player window and drags them out to the computer.
class QVideoView : public QBaseDetailsView, public IDropSourceCallback {
    Q_OBJECT
public:
    QVideoView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QVideoView() override;

    int LibraryKind() const { return m_libraryKind; }
    QVideoPlayModel* VideoModel() const { return m_videoModel; }
    QMenu* ContextMenu() const { return m_menu; }
    // The video of a row of the table as shown (sorted, filtered), or null.
    QVideoChunk* VideoAtRow(int row) const;
    PlayerWidget* Player() const;
    // The folder under which each add makes its working folder for the converted files.
    QString WorkFolder() const;
    void SetWorkFolder(const QString& folder) { m_workFolder = folder; }
    // The files the file dialog and a drop offer for adding.
    static QString FileFilter();

    void OnAnalysisEnd() override;
    // The drag of the selected rows, as a drop target receives it; null when nothing is selected.
    QMimeData* PrepareDrag();
    bool OnDrop() override;

public slots:
    void setVideoListInfo(std::list<IBaseChunk*>* list);
    void AddComputerFile();
    // Converts what needs it and adds the files to the device.
    void AddFiles(const QStringList& files);
    void DeleteVideoFile();
    void PlayVideo(int row);
    void PlayPreviousVideo();
    void PlayNextVideo();
    void OnPlayerClose();
    void OnPlayButton(int row) { PlayVideo(row); }
    void OnPauseButton();
    void OnTranfer(int row);
    void OnItemToPc();
    void OnItemToiTunes();
    void OnDeleteSelectItem();
    void OnResetPlaylingPanel();
    void refreshVideoView();
    void OnFailed(int code);
    void OnBeginInit();
    void OnEndInit();
    void OnLanguageChanged() override;

signals:
    void sendAddComputerFile(int playlist, QStringList path, QVideoView* view);
    void sendDeleteVideoFile(QList<int> playList, QList<int> indexlsit);
    void emitRefreshVideoNode(int deviceHandle, QVideoView* view);
    void emitExecuteDone();
    void emitFailed(int code);
    void emitGetListFailed();

protected:
    void Run() override;
    void EmitRefresh() override;
    QString EmptyText() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnAddConverted(int playlist, const QStringList& files, QVideoView* view);
    void MovePanel(const QModelIndex& current);
    void StartDrag();

    std::list<IBaseChunk*> m_videos;
    std::mutex m_pendingLock;
    std::list<IBaseChunk*> m_pending;
    bool m_hasPending = false;
    std::string m_image;
    std::atomic<int> m_libraryKind{0};
    QString m_workFolder;
    QVideoPlayModel* m_videoModel;
    QMenu* m_menu;
    QAction* m_actionToPc = nullptr;
    QAction* m_actionToiTunes = nullptr;
    QAction* m_actionAdd = nullptr;
    QAction* m_actionDelete = nullptr;
    QPointer<PlayerWidget> m_player;
    QPointer<QPlayListStatusPanel> m_panel;
    QPersistentModelIndex m_panelIndex;
    // Device path and local path of each file of the current drag.
    std::vector<std::pair<std::string, QString>> m_dragEntries;
    QPoint m_pressPosition;
    bool m_pressed = false;
};
