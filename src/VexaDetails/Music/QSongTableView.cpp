#include "QSongTableView.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

#include "CDroppedFiles.h"
#include "CMediaFileAdd.h"
#include "CPreviewCopy.h"
#include "CUrlDrop.h"
#include "QColumnFit.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"
#include "QMusicPlayListChunk.h"
#include "QMusicPlayListModel.h"
#include "QMySortModel.h"
#include "QPlayListStatusPanel.h"
#include "QSongPlayer.h"
#include "QiTunesExport.h"
#include "WidgetColors.h"

namespace {
// The file export's kind for songs and videos.
constexpr int kMediaExportKind = 1;
} // namespace

QSongTableView::QSongTableView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_songModel(new QMusicPlayListModel(this))
    , m_menu(new QMenu(this))
    , m_player(new QSongPlayer(this)) {
    m_menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    setAcceptDrops(true);
    connect(m_player, &QSongPlayer::finished, this, &QSongTableView::OnPlayFinished);
}

QSongTableView::~QSongTableView() {
    StopAndWait();
}

QPlayListStatusPanel* QSongTableView::StatusPanel() const {
    return m_panel;
}

void QSongTableView::InitSongTable() {
    QTableView* table = CreateTableView(m_songModel);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Name, time, size, artist, album and format; the status column with the play panel takes the rest.
    QColumnFit::Install(table, {220, 60, 80, 140, 140, 120}, 100);
    table->verticalHeader()->setDefaultSectionSize(28);
    EnableDragOut(kMediaExportKind);
    connect(table, &QWidget::customContextMenuRequested, this,
            [this, table](const QPoint& pos) { m_menu->exec(table->viewport()->mapToGlobal(pos)); });
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { MovePanel(current); });
    // The play button sits in the last column, often beyond the view; a double-click plays too.
    connect(table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { PlaySong(index.row()); });
    clickList();
}

QString QSongTableView::EmptyText() const {
    return tr("There are no songs on the device.");
}

void QSongTableView::SetSongList(std::list<IBaseChunk*>* list) {
    SetChunkList(list);
}

QMusicPlayListChunk* QSongTableView::SongAtRow(int row) const {
    if (!SortModel())
        return nullptr;
    const QModelIndex shown = SortModel()->index(row, 0);
    if (!shown.isValid())
        return nullptr;
    return static_cast<QMusicPlayListChunk*>(m_songModel->ChunkAt(SortModel()->mapToSource(shown).row()));
}

int QSongTableView::PlayingRow() const {
    for (int row = 0; m_playing && row < SortModel()->rowCount(); ++row) {
        if (SongAtRow(row) == m_playing)
            return row;
    }
    return -1;
}

void QSongTableView::MovePanel(const QModelIndex& current) {
    QTableView* table = TableView();
    if (m_panel && m_panelIndex.isValid())
        table->setIndexWidget(m_panelIndex, nullptr);
    if (!current.isValid())
        return;
    auto* panel = new QPlayListStatusPanel;
    m_panelIndex = table->model()->index(current.row(), QMusicPlayListModel::ColumnStatus);
    panel->SetRow(current.row());
    panel->SetPlaying(m_playing && SongAtRow(current.row()) == m_playing && m_player->IsPlaying());
    // The row is read at the click: sorting may have moved the panel since it was made.
    connect(panel, &QPlayListStatusPanel::emitPlay, this, [this] { PlaySong(m_panelIndex.row()); });
    connect(panel, &QPlayListStatusPanel::emitPause, this, &QSongTableView::PauseSong);
    connect(panel, &QPlayListStatusPanel::emitTo, this, [this] {
        if (QMusicPlayListChunk* song = SongAtRow(m_panelIndex.row())) {
            song->SetChecked(true);
            OnItemToPc();
        }
    });
    table->setIndexWidget(m_panelIndex, panel);
    m_panel = panel;
}

void QSongTableView::ShowPlaying(bool playing) {
    if (m_panel)
        m_panel->SetPlaying(playing && m_playing && SongAtRow(m_panelIndex.row()) == m_playing);
}

bool QSongTableView::PlaySong(int row) {
    const QMusicPlayListChunk* song = SongAtRow(row);
    if (!song)
        return false;
    if (song == m_playing && m_player->IsPaused() && m_player->Resume()) {
        ShowPlaying(true);
        return true;
    }
    m_player->Stop();
    m_playing = nullptr;
    const QString local = CPreviewCopy::Copy(Manager(), song->path);
    if (local.isEmpty() || !m_player->Play(local)) {
        qDebug() << "Can't play";
        ShowPlaying(false);
        ShowMessage(tr("Can't play"));
        return false;
    }
    qDebug() << "Begin Player";
    m_playing = song;
    ShowPlaying(true);
    return true;
}

void QSongTableView::PauseSong() {
    m_player->Pause();
    ShowPlaying(false);
}

void QSongTableView::StopSong() {
    m_player->Stop();
    m_playing = nullptr;
    ShowPlaying(false);
}

void QSongTableView::ForgetPlaying() {
    StopSong();
}

void QSongTableView::OnPlayFinished() {
    m_playing = nullptr;
    ShowPlaying(false);
}

void QSongTableView::hideEvent(QHideEvent* event) {
    if (m_player->IsPlaying() || m_player->IsPaused())
        qDebug() << "m_musicObj is stop!";
    StopSong();
    QBaseDetailsView::hideEvent(event);
}

void QSongTableView::OnItemToPc() {
    QFileFolderExport::RunChecked(this, this, Manager(), kMediaExportKind, HasCheckedChunk());
}

void QSongTableView::OnItemToiTunes() {
    if (!ChunkList() || !TableView() || !TableView()->currentIndex().isValid())
        return;
    if (!HasCheckedChunk()) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    QiTunesExport::Run(this, this, Manager(), kMediaExportKind);
}

QStringList QSongTableView::ChooseAudioFiles(const QString& filter) {
    return QFileDialog::getOpenFileNames(this, tr("Import File"), QString(), filter);
}

void QSongTableView::dragEnterEvent(QDragEnterEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QSongTableView::dragMoveEvent(QDragMoveEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QSongTableView::dropEvent(QDropEvent* event) {
    CDroppedFiles::Take(event, this, CMediaFileAdd::AudioSuffixes(),
                        [this](const QStringList& files) { AddFiles(files); });
}
