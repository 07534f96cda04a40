#include "QMusicView.h"

#include <QDebug>
#include <QMenu>

#include <vexa/vexa.h>

#include "CDeviceLock.h"
#include "CMediaFileAdd.h"
#include "CModalGuard.h"
#include "CReadOnlyPage.h"
#include "IBaseChunk.h"
#include "NotSupportedMessage.h"
#include "QMessageDlg.h"
#include "QMusicPlayListChunk.h"
#include "QMusicPlayListModel.h"
#include "QOperatePanel.h"
#include "QSongPlayer.h"
#include "deleteitemDlg.h"

namespace {

void DeleteAll(std::list<IBaseChunk*>& list) {
    for (IBaseChunk* chunk : list)
        delete chunk;
    list.clear();
}

} // namespace

QMusicView::QMusicView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QSongTableView(manager, deviceHandle, parent)
    , m_image(QMusicPlayListChunk::DefaultImage()) {
    setObjectName(QStringLiteral("QMusicView"));
    SetCategoryName("Music");
    InitSongTable();
    SetSongList(&m_songs);
    m_actionToPc = ContextMenu()->addAction(QString(), this, &QMusicView::OnItemToPc);
    m_actionToiTunes = ContextMenu()->addAction(QString(), this, &QMusicView::OnItemToiTunes);
    m_actionAdd = ContextMenu()->addAction(QString(), this, &QMusicView::AddComputerFile);
    m_actionDelete = ContextMenu()->addAction(QString(), this, &QMusicView::DeleteMusicFile);
    // A real device's library is read here and changed only through the phone's own sync.
    auto* readOnly = new CReadOnlyPage(this, ReadOnlyNotice::Music,
                                       [this] { return CReadOnlyPage::MediaState(Manager()); });
    readOnly->AddWriteAction(m_actionAdd);
    readOnly->AddWriteAction(m_actionDelete);
    connect(OperatePanel(), &QOperatePanel::addOperate, this, &QMusicView::AddComputerFile);
    connect(OperatePanel(), &QOperatePanel::deleteOperate, this, &QMusicView::DeleteMusicFile);
    connect(OperatePanel(), &QOperatePanel::refreshOperate, this, [this] { Start(); });
    connect(this, &QMusicView::emitFailed, this, &QMusicView::OnFailed);
    connect(this, &QMusicView::emitGetPlaylistFailed, this, &QMusicView::OnGetPlaylistFailed,
            Qt::QueuedConnection);
    connect(Player(), &QSongPlayer::finished, this, &QMusicView::emitExecuteDone);
    OnLanguageChanged();
}

QMusicView::~QMusicView() {
    StopAndWait();
    SetSongList(nullptr);
    DeleteAll(m_songs);
    DeleteAll(m_pending);
}

void QMusicView::Run() {
    IMediaLibrary* library = Manager() ? Manager()->GetMediaLibrary() : nullptr;
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    int code = VEXA_E_UNPLUGGED;
    if (library) {
        const CDeviceLock lock;
        code = library->GetPlaylists(&count, &playlists);
    }
    {
        std::lock_guard<std::mutex> guard(m_pendingLock);
        if (!m_hasPending)
            DeleteAll(m_pending);
    }
    std::list<IBaseChunk*> songs;
    // The library is playlist 0.
    if (code == VEXA_OK && count > 0 && playlists)
        songs = QMusicPlayListChunk::LibrarySongs(playlists[0], m_image);
    const int libraryKind = library ? library->GetLibraryKind() : 0;
    const int found = int(songs.size());
    {
        std::lock_guard<std::mutex> guard(m_pendingLock);
        DeleteAll(m_pending);
        m_pending.swap(songs);
        m_hasPending = true;
        m_libraryKind = libraryKind;
    }
    if (code != VEXA_OK) {
        qDebug() << "QMusicView::Run GetPlaylists failed" << code;
        if (IsNotSupportedYet(code))
            ShowUnavailableLater();
        else
            emit emitGetPlaylistFailed();
    }
    if (!IsStopRequested())
        emit loadFinished(found);
}

void QMusicView::OnAnalysisEnd() {
    std::list<IBaseChunk*> old;
    {
        std::lock_guard<std::mutex> guard(m_pendingLock);
        if (m_hasPending) {
            ForgetPlaying();
            old.swap(m_songs);
            m_songs.swap(m_pending);
            m_hasPending = false;
        }
    }
    QSongTableView::OnAnalysisEnd();
    // Only now does the table no longer point at the previous load's songs; the next load frees them
    // on its own thread.
    std::lock_guard<std::mutex> guard(m_pendingLock);
    m_pending.splice(m_pending.end(), old);
}

void QMusicView::setMusicListInfo(std::list<IBaseChunk*>* list) {
    SetSongList(list);
}

void QMusicView::EmitRefresh() {
    emit emitRefreshMusicNode(DeviceHandle(), this);
}

void QMusicView::AddComputerFile() {
    const QStringList files = ChooseAudioFiles(tr("Audio Files(*.mp3)"));
    if (!files.isEmpty())
        AddFiles(files);
}

void QMusicView::AddFiles(const QStringList& files) {
    emit sendAddComputerFile(0, files, this);
}

void QMusicView::DeleteMusicFile() {
    const CModalGuard guard(this);
    const int code = deleteitemDlg::DeleteChecked(m_songs, DeviceHandle(), 0);
    if (guard.Gone() || code < 0)
        return;
    QList<int> playlists;
    QList<int> items;
    emit sendDeleteMusicFile(playlists, items);
    Start();
}

void QMusicView::OnTranfer(int row) {
    if (QMusicPlayListChunk* song = SongAtRow(row)) {
        song->SetChecked(true);
        OnItemToPc();
    }
}

void QMusicView::PlayPreviousMusic() {
    const int row = PlayingRow();
    if (row > 0)
        PlaySong(row - 1);
}

void QMusicView::PlayNextMusic() {
    const int row = PlayingRow();
    if (row >= 0)
        PlaySong(row + 1);
}

void QMusicView::OnFailed(int code) {
    qDebug() << "Add music faild!" << code;
    ShowMessage(CMediaFileAdd::FailureMessage(code));
}

void QMusicView::OnGetPlaylistFailed() {
    ShowMessage(tr("Get playlist failed"));
}

void QMusicView::OnLanguageChanged() {
    QSongTableView::OnLanguageChanged();
    SongModel()->SetHeaderLabels(QMusicPlayListModel::ColumnTitles());
    m_actionToPc->setText(tr("To Computer"));
    m_actionToiTunes->setText(tr("To iTunes"));
    m_actionAdd->setText(tr("Add Music"));
    m_actionDelete->setText(tr("Delete Music"));
}
