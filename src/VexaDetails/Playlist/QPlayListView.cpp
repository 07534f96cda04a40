#include "QPlayListView.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QTableView>

#include <vexa/vexa.h>

#include "CModalGuard.h"
#include "CReadOnlyPage.h"
#include "PlaylistEntry.h"
#include "QMusicPlayListChunk.h"
#include "QMusicPlayListModel.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QPlayAnalysisTread.h"
#include "QSongPlayer.h"
#include "deleteitemDlg.h"

QPlayListView::QPlayListView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QSongTableView(manager, deviceHandle, parent)
    , m_listModel(new QMusicPlayListModel(this)) {
    setObjectName(QStringLiteral("QPlayListView"));
    SetCategoryName("PlayLists");
    InitSongTable();
    SetSongList(&m_noSongs);

    // The playlists sit left of the song table, in the same content widget.
    m_listModel->SetListMode(true);
    m_listModel->SetChunkList(&m_playlistChunks);
    m_list = new QListView;
    m_list->setObjectName(QStringLiteral("m_playlistList"));
    m_list->setModel(m_listModel);
    m_list->setFixedWidth(140);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* content = new QWidget(this);
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QTableView* table = TableView();
    SetListWidget(content);
    layout->addWidget(m_list);
    layout->addWidget(table, 1);
    table->show();
    clickList();
    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex& index) { ShowPlaylist(index.row() + 1); });

    m_actionToiTunes = ContextMenu()->addAction(QString(), this, &QPlayListView::ToiThunes);
    m_actionToPc = ContextMenu()->addAction(QString(), this, &QPlayListView::OnItemToPc);
    m_actionAdd = ContextMenu()->addAction(QString(), this, &QPlayListView::AddComputerFile);
    m_actionDelete = ContextMenu()->addAction(QString(), this, &QPlayListView::deleteAudioFile);
    m_actionPlay = ContextMenu()->addAction(QString(), this, &QPlayListView::listActPlayMusic);
    // The transfer to another device is not offered by this page.
    m_actionToDevice = ContextMenu()->addAction(QString());
    m_actionToDevice->setEnabled(false);
    m_readOnly = new CReadOnlyPage(this, ReadOnlyNotice::Playlists,
                                   [this] { return CReadOnlyPage::MediaState(Manager()); });
    m_readOnly->AddWriteAction(m_actionAdd);
    m_readOnly->AddWriteAction(m_actionDelete);
    connect(OperatePanel(), &QOperatePanel::addOperate, this, &QPlayListView::AddComputerFile);
    connect(OperatePanel(), &QOperatePanel::deleteOperate, this, &QPlayListView::deleteAudioFile);
    connect(OperatePanel(), &QOperatePanel::refreshOperate, this, &QPlayListView::RefreshList);
    connect(Player(), &QSongPlayer::finished, this, &QPlayListView::PlayFinished);
    OnLanguageChanged();
}

QPlayListView::~QPlayListView() {
    StopAndWait();
    m_listModel->SetChunkList(nullptr);
    ClearPlaylistChunks();
}

void QPlayListView::SetLoader(QPlayAnalysisTread* loader) {
    if (m_loader)
        disconnect(m_loader, nullptr, this, nullptr);
    m_loader = loader;
    if (!loader)
        return;
    connect(loader, &QPlayAnalysisTread::refreshPlayList, this, &QPlayListView::OnResetListModel);
    connect(this, &QPlayListView::RefreshList, loader, &QPlayAnalysisTread::RefreshList);
    connect(this, &QPlayListView::sendDeleteAudioFile, loader, &QPlayAnalysisTread::DeleteAudioFile);
    if (loader->HasRead())
        OnResetListModel();
}

void QPlayListView::ClearPlaylistChunks() {
    for (IBaseChunk* chunk : m_playlistChunks)
        delete chunk;
    m_playlistChunks.clear();
}

void QPlayListView::OnResetListModel() {
    m_readOnly->Update();
    const int count = m_loader ? m_loader->PlaylistCount() : 0;
    std::list<IBaseChunk*> old;
    old.swap(m_playlistChunks);
    const std::string image = QMusicPlayListChunk::DefaultImage();
    for (int position = 1; position < count; ++position) {
        auto* chunk = new QMusicPlayListChunk;
        chunk->SetName(m_loader->Entry(position)->Name());
        chunk->image = image;
        chunk->SetPlaylistPosition(position);
        m_playlistChunks.push_back(chunk);
    }
    m_listModel->Reset();
    for (IBaseChunk* chunk : old)
        delete chunk;
    ShowPlaylist(m_position);
}

void QPlayListView::ShowPlaylist(int position) {
    const int count = m_loader ? m_loader->PlaylistCount() : 0;
    if (position < 1 || position >= count)
        position = count > 1 ? 1 : -1;
    m_position = position;
    if (position > 0)
        m_list->setCurrentIndex(m_listModel->index(position - 1, 0));
    OnResetTableModel();
}

void QPlayListView::OnResetTableModel() {
    ForgetPlaying();
    PlaylistEntry* entry = m_loader && m_position > 0 ? m_loader->Entry(m_position) : nullptr;
    SetSongList(entry ? entry->Songs() : &m_noSongs);
    OnAnalysisEnd();
}

void QPlayListView::PlayFinished() {
    const int row = PlayingRow();
    if (row >= 0 && row + 1 < SortModel()->rowCount())
        PlayNext(row + 1);
}

void QPlayListView::PlayNext(int row) {
    PlaySong(row);
}

void QPlayListView::listActPlayMusic() {
    const QModelIndex current = TableView()->currentIndex();
    if (current.isValid())
        PlaySong(current.row());
}

void QPlayListView::AddComputerFile() {
    const QStringList files = ChooseAudioFiles(tr("Audio Files(*.mp3 *.m4a)"));
    if (!files.isEmpty())
        AddFiles(files);
}

void QPlayListView::AddFiles(const QStringList& files) {
    StopSong();
    emit sendAddComputerFile(qMax(0, m_position), files, m_loader);
}

void QPlayListView::deleteAudioFile() {
    PlaylistEntry* entry = m_loader && m_position > 0 ? m_loader->Entry(m_position) : nullptr;
    if (!entry) {
        deleteitemDlg::DeleteChecked(m_noSongs, DeviceHandle(), 2);
        return;
    }
    StopSong();
    const int position = m_position;
    const CModalGuard guard(this);
    const int code = deleteitemDlg::DeleteChecked(*entry->Songs(), DeviceHandle(), 2);
    if (guard.Gone() || code < 0)
        return;
    emit sendDeleteAudioFile(position, {});
}

void QPlayListView::OnLanguageChanged() {
    QSongTableView::OnLanguageChanged();
    SongModel()->SetHeaderLabels(QMusicPlayListModel::ColumnTitles());
    m_listModel->SetHeaderLabels({tr("Playlist")});
    m_actionToiTunes->setText(tr("To iTunes"));
    m_actionToPc->setText(tr("To Computer"));
    m_actionAdd->setText(tr("Add Music"));
    m_actionDelete->setText(tr("Delete Music"));
    m_actionPlay->setText(tr("Play"));
    m_actionToDevice->setText(tr("To iDevices"));
}
