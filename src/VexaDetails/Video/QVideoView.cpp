#include "QVideoView.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <vexa/vexa.h>

#include "AddItemDlg.h"
#include "CDeviceLock.h"
#include "CDropFileList.h"
#include "CFileDrag.h"
#include "CMediaFileAdd.h"
#include "CModalGuard.h"
#include "CReadOnlyPage.h"
#include "LanguageService.h"
#include "NotSupportedMessage.h"
#include "PlayerWidget.h"
#include "QColumnFit.h"
#include "QConverVideoDlg.h"
#include "QDropFileMimeData.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QPlayListStatusPanel.h"
#include "QVideoChunk.h"
#include "QVideoPlayModel.h"
#include "QiTunesExport.h"
#include "WidgetColors.h"
#include "deleteitemDlg.h"

namespace {

// The file export's kind for songs and videos.
constexpr int kMediaExportKind = 1;
// The delete dialog's mode for the video page.
constexpr int kVideoDeleteMode = 1;

const char* const kVideoSuffixes[] = {"asf", "wm",  "wmp", "wmv", "rm",  "rmvb", "mpg", "mpeg",
                                      "mpe", "m1v", "m2v", "vob", "ts",  "mp4",  "m4v", "flv",
                                      "f4v", "avi", "mkv", "mov", "3gp", "webm"};

void DeleteAll(std::list<IBaseChunk*>& list) {
    for (IBaseChunk* chunk : list)
        delete chunk;
    list.clear();
}

bool HasVideoSuffix(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const char* known : kVideoSuffixes)
        if (suffix == QLatin1String(known))
            return true;
    return false;
}

} // namespace

QVideoView::QVideoView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_image(QVideoChunk::DefaultImage())
    , m_videoModel(new QVideoPlayModel(this))
    , m_menu(new QMenu(this)) {
    setObjectName(QStringLiteral("QVideoView"));
    SetCategoryName("Video");
    setAcceptDrops(true);
    SetChunkList(&m_videos);
    QTableView* table = CreateTableView(m_videoModel);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Name, time, size and format; the status column takes the rest.
    QColumnFit::Install(table, {260, 70, 90, 150});
    table->verticalHeader()->setDefaultSectionSize(28);
    table->viewport()->installEventFilter(this);
    clickList();

    m_menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    m_actionToPc = m_menu->addAction(QString(), this, &QVideoView::OnItemToPc);
    m_actionToiTunes = m_menu->addAction(QString(), this, &QVideoView::OnItemToiTunes);
    m_actionAdd = m_menu->addAction(QString(), this, &QVideoView::AddComputerFile);
    m_actionDelete = m_menu->addAction(QString(), this, &QVideoView::DeleteVideoFile);
    connect(table, &QWidget::customContextMenuRequested, this,
            [this, table](const QPoint& pos) { m_menu->exec(table->viewport()->mapToGlobal(pos)); });
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { MovePanel(current); });
    connect(table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { PlayVideo(index.row()); });
    auto* readOnly = new CReadOnlyPage(this, ReadOnlyNotice::Videos,
                                       [this] { return CReadOnlyPage::MediaState(Manager()); });
    readOnly->AddWriteAction(m_actionAdd);
    readOnly->AddWriteAction(m_actionDelete);
    connect(OperatePanel(), &QOperatePanel::addOperate, this, &QVideoView::AddComputerFile);
    connect(OperatePanel(), &QOperatePanel::deleteOperate, this, &QVideoView::DeleteVideoFile);
    connect(OperatePanel(), &QOperatePanel::refreshOperate, this, &QVideoView::refreshVideoView);
    connect(this, &QVideoView::sendAddComputerFile, this, &QVideoView::OnAddConverted);
    connect(this, &QVideoView::emitFailed, this, &QVideoView::OnFailed);
    connect(
        this, &QVideoView::emitGetListFailed, this,
        [this] { ShowMessage(tr("The video list could not be read from the device.")); },
        Qt::QueuedConnection);
    OnLanguageChanged();
}

QVideoView::~QVideoView() {
    StopAndWait();
    delete m_player.data();
    SetChunkList(nullptr);
    DeleteAll(m_videos);
    DeleteAll(m_pending);
}

QString QVideoView::FileFilter() {
    return tr("Video Files(*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts "
              "*.mp4 "
              "*.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)") +
           QStringLiteral(";;") + tr("Windows Media(*.asf *.wm *.wmp *.wmv *.avi)") + QStringLiteral(";;") +
           tr("Real Media(*.rm *.rmvb)") + QStringLiteral(";;") +
           tr("MPEG(*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)") + QStringLiteral(";;") +
           tr("Flash Video(*.flv *.f4v)") + QStringLiteral(";;") +
           tr("Other Media(*.mkv *.mov *.3gp *.webm)");
}

QString QVideoView::WorkFolder() const {
    return m_workFolder.isEmpty() ? WorkDir() : m_workFolder;
}

// --- Loading -----------------------------------------------------------------------------------------

void QVideoView::Run() {
    IMediaLibrary* library = Manager() ? Manager()->GetMediaLibrary() : nullptr;
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    int code = VEXA_E_UNPLUGGED;
    if (library) {
        const CDeviceLock lock;
        code = library->GetPlaylists(&count, &playlists);
    }
    qDebug() << "QVideoView InitPlayList return:" << code;
    {
        std::lock_guard<std::mutex> guard(m_pendingLock);
        if (!m_hasPending)
            DeleteAll(m_pending);
    }
    std::list<IBaseChunk*> videos;
    if (code == VEXA_OK && count > 0 && playlists)
        videos = QVideoChunk::LibraryVideos(playlists[0], m_image);
    const int libraryKind = library ? library->GetLibraryKind() : 0;
    const int found = int(videos.size());
    {
        std::lock_guard<std::mutex> guard(m_pendingLock);
        DeleteAll(m_pending);
        m_pending.swap(videos);
        m_hasPending = true;
        m_libraryKind = libraryKind;
    }
    if (IsNotSupportedYet(code))
        ShowUnavailableLater();
    else if (code != VEXA_OK)
        emit emitGetListFailed();
    if (!IsStopRequested())
        emit loadFinished(found);
}

void QVideoView::OnAnalysisEnd() {
    std::list<IBaseChunk*> old;
    {
        std::lock_guard<std::mutex> guard(m_pendingLock);
        if (m_hasPending) {
            if (m_panelIndex.isValid() && TableView())
                TableView()->setIndexWidget(m_panelIndex, nullptr);
            m_dragEntries.clear();
            old.swap(m_videos);
            m_videos.swap(m_pending);
            m_hasPending = false;
        }
    }
    QBaseDetailsView::OnAnalysisEnd();
    m_videoModel->Reset();
    // Only now does the table no longer point at the previous load's videos; the next load frees them.
    std::lock_guard<std::mutex> guard(m_pendingLock);
    m_pending.splice(m_pending.end(), old);
}

void QVideoView::setVideoListInfo(std::list<IBaseChunk*>* list) {
    SetChunkList(list);
}

void QVideoView::EmitRefresh() {
    emit emitRefreshVideoNode(DeviceHandle(), this);
}

QString QVideoView::EmptyText() const {
    return tr("There are no videos on the device.");
}

void QVideoView::refreshVideoView() {
    Start();
}

void QVideoView::OnBeginInit() {
    OnAnalysisBegin();
}

void QVideoView::OnEndInit() {
    OnAnalysisEnd();
}

QVideoChunk* QVideoView::VideoAtRow(int row) const {
    if (!SortModel())
        return nullptr;
    const QModelIndex shown = SortModel()->index(row, 0);
    if (!shown.isValid())
        return nullptr;
    return static_cast<QVideoChunk*>(m_videoModel->ChunkAt(SortModel()->mapToSource(shown).row()));
}

// --- Adding ------------------------------------------------------------------------------------------

void QVideoView::AddComputerFile() {
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Import File"), QString(), FileFilter());
    if (!files.isEmpty())
        AddFiles(files);
}

void QVideoView::AddFiles(const QStringList& files) {
    if (files.isEmpty())
        return;
    const CModalGuard guard(this);
    // Each add converts into a folder of its own, removed with everything in it when the add is over.
    const QString parent = WorkFolder();
    QDir().mkpath(parent);
    QTemporaryDir work(parent + QStringLiteral("/VideoConvert-XXXXXX"));
    if (!work.isValid()) {
        qDebug() << "QVideoView::AddFiles no working folder" << work.errorString();
        ShowMessage(tr("The working folder %1 could not be created.").arg(QDir::toNativeSeparators(parent)));
        return;
    }
    QStringList outputs;
    QStringList failures;
    {
        QConverVideoDlg dialog(files, work.path());
        const int result = dialog.exec();
        if (guard.Gone() || result != QConverVideoDlg::kSucceeded)
            return;
        outputs = dialog.Outputs();
        failures = dialog.Failures();
    }
    if (!failures.isEmpty()) {
        QStringList names;
        for (const QString& file : failures)
            names << QFileInfo(file).fileName();
        ShowMessage(tr("These files are not videos or could not be converted; they were not added:\n%1")
                        .arg(names.join(QLatin1Char('\n'))));
        if (guard.Gone())
            return;
    }
    if (outputs.isEmpty())
        return;
    emit sendAddComputerFile(0, outputs, this);
}

void QVideoView::OnAddConverted(int playlist, const QStringList& files, QVideoView* view) {
    if (view != this || files.isEmpty())
        return;
    const CModalGuard guard(this);
    const int handle = DeviceHandle();
    AddItemDlg dialog(AddItemDlg::VideoView, files, playlist);
    dialog.SetRoutine([handle, playlist](const QStringList& list, int* progress) {
        const int code = CMediaFileAdd::Add(handle, list, playlist, progress);
        if (code != 0)
            qDebug() << "AddMediaFileData failed!" << code;
        return code;
    });
    dialog.exec();
    if (guard.Gone())
        return;
    if (dialog.Result() != 0)
        emit emitFailed(dialog.Result());
    if (!guard.Gone())
        Start();
}

void QVideoView::OnFailed(int code) {
    qDebug() << "Add video failed!" << code;
    if (code == VEXA_MEDIA_DB_MISSING)
        ShowMessage(tr("CDB file is not find! please open the iTunes to repair!"));
    else if (code == VEXA_MEDIA_DB_DAMAGED)
        ShowMessage(tr("CDB file was damaged, please open the iTunes to repair!"));
    else
        ShowMessage(tr("Add video failed!"));
}

void QVideoView::dragEnterEvent(QDragEnterEvent* event) {
    // Our own drag out of the table is not a drop of computer files.
    if (event->mimeData()->hasUrls() && !qobject_cast<const QDropFileMimeData*>(event->mimeData()))
        event->acceptProposedAction();
}

void QVideoView::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && HasVideoSuffix(url.toLocalFile()))
            files << url.toLocalFile();
    event->acceptProposedAction();
    if (!files.isEmpty())
        QTimer::singleShot(0, this, [this, files] { AddFiles(files); });
}

// --- Deleting and sending on -------------------------------------------------------------------------

void QVideoView::DeleteVideoFile() {
    const CModalGuard guard(this);
    QList<int> playlists;
    QList<int> items;
    for (IBaseChunk* chunk : m_videos) {
        if (auto* video = chunk->IsChecked() ? static_cast<QVideoChunk*>(chunk) : nullptr) {
            playlists << video->GetPlaylistPosition();
            items << video->GetItemPosition();
        }
    }
    const int code = deleteitemDlg::DeleteChecked(m_videos, DeviceHandle(), kVideoDeleteMode);
    if (guard.Gone() || code < 0)
        return;
    if (code == VEXA_OK)
        emit sendDeleteVideoFile(playlists, items);
    Start();
}

void QVideoView::OnDeleteSelectItem() {
    if (!TableView() || !TableView()->selectionModel())
        return;
    for (IBaseChunk* chunk : m_videos)
        chunk->SetChecked(false);
    for (const QModelIndex& index : TableView()->selectionModel()->selectedRows())
        if (QVideoChunk* video = VideoAtRow(index.row()))
            video->SetChecked(true);
    m_videoModel->Reset();
    DeleteVideoFile();
}

void QVideoView::OnTranfer(int row) {
    if (QVideoChunk* video = VideoAtRow(row)) {
        video->SetChecked(true);
        OnItemToPc();
    }
}

void QVideoView::OnItemToPc() {
    QFileFolderExport::RunChecked(this, this, Manager(), kMediaExportKind, HasCheckedChunk());
}

void QVideoView::OnItemToiTunes() {
    if (!HasCheckedChunk()) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    QiTunesExport::Run(this, this, Manager(), kMediaExportKind);
}

// --- Playing -----------------------------------------------------------------------------------------

void QVideoView::PlayVideo(int row) {
    QVideoChunk* video = VideoAtRow(row);
    if (!video)
        return;
    if (!m_player) {
        m_player = new PlayerWidget(this);
        connect(m_player, &PlayerWidget::emitClose, this, &QVideoView::OnPlayerClose);
    }
    m_player->show();
    m_player->raise();
    m_player->PlayDeviceVideo(DeviceHandle(), video->path, video->titleText);
    if (m_panel)
        m_panel->SetPlaying(m_panel->Row() == row);
}

PlayerWidget* QVideoView::Player() const {
    return m_player;
}

void QVideoView::PlayPreviousVideo() {
    if (m_player)
        m_player->OnBtnPreVideo();
}

void QVideoView::PlayNextVideo() {
    if (m_player)
        m_player->OnBtnNextVideo();
}

void QVideoView::OnPauseButton() {
    if (m_player)
        m_player->OnBtnPause();
    OnResetPlaylingPanel();
}

void QVideoView::OnPlayerClose() {
    OnResetPlaylingPanel();
    emit emitExecuteDone();
}

void QVideoView::OnResetPlaylingPanel() {
    if (m_panel)
        m_panel->SetPlaying(false);
}

void QVideoView::MovePanel(const QModelIndex& current) {
    QTableView* table = TableView();
    if (m_panel && m_panelIndex.isValid())
        table->setIndexWidget(m_panelIndex, nullptr);
    if (!current.isValid())
        return;
    auto* panel = new QPlayListStatusPanel;
    m_panelIndex = table->model()->index(current.row(), QVideoPlayModel::ColumnStatus);
    panel->SetRow(current.row());
    // The row is read at the click: sorting may have moved the panel since it was made.
    connect(panel, &QPlayListStatusPanel::emitPlay, this, [this] { PlayVideo(m_panelIndex.row()); });
    connect(panel, &QPlayListStatusPanel::emitPause, this, &QVideoView::OnPauseButton);
    connect(panel, &QPlayListStatusPanel::emitTo, this, [this] { OnTranfer(m_panelIndex.row()); });
    table->setIndexWidget(m_panelIndex, panel);
    m_panel = panel;
}

// --- Dragging out ------------------------------------------------------------------------------------

bool QVideoView::eventFilter(QObject* watched, QEvent* event) {
    if (TableView() && watched == TableView()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            m_pressed = mouse->button() == Qt::LeftButton;
            m_pressPosition = mouse->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_pressed = false;
        } else if (event->type() == QEvent::MouseMove && m_pressed) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if ((mouse->position().toPoint() - m_pressPosition).manhattanLength() >=
                QApplication::startDragDistance()) {
                m_pressed = false;
                StartDrag();
                return true;
            }
        }
    }
    return QBaseDetailsView::eventFilter(watched, event);
}

void QVideoView::StartDrag() {
    auto* data = static_cast<QDropFileMimeData*>(PrepareDrag());
    // The entries stay remembered after the loop: some targets ask for the data once it has ended.
    CFileDrag::Start(TableView(), data);
}

QMimeData* QVideoView::PrepareDrag() {
    if (!TableView() || !TableView()->selectionModel())
        return nullptr;
    const QModelIndexList rows = TableView()->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    CDropFileList list;
    if (!list.IsValid()) {
        ShowMessage(tr("The temporary folder for the drag could not be created."));
        return nullptr;
    }
    m_dragEntries.clear();
    for (const QModelIndex& index : rows)
        if (const QVideoChunk* video = VideoAtRow(index.row()))
            m_dragEntries.emplace_back(video->path, list.Add(QVideoPlayModel::DragFileName(*video)));
    return new QDropFileMimeData(list.Paths(), this, this);
}

bool QVideoView::OnDrop() {
    IFileService* files = Manager() ? Manager()->GetFileService() : nullptr;
    bool complete = files != nullptr;
    for (const auto& [devicePath, localPath] : m_dragEntries) {
        const QString source = QString::fromStdString(devicePath).replace(QLatin1Char(':'), QLatin1Char('/'));
        const int code = files
                             ? files->CopyFileToComputer(reinterpret_cast<const char16_t*>(source.utf16()),
                                                         reinterpret_cast<const char16_t*>(localPath.utf16()))
                             : VEXA_E_UNPLUGGED;
        if (code != VEXA_OK) {
            qDebug() << "QVideoView::OnDrop copy failed" << code << source;
            QFile::remove(localPath);
            complete = false;
        }
    }
    // The drop target waits for this answer: the message comes once the drag is over.
    if (!complete)
        QTimer::singleShot(0, this,
                           [] { ShowMessage(tr("Some videos could not be copied from the device.")); });
    return complete;
}

void QVideoView::OnLanguageChanged() {
    QBaseDetailsView::OnLanguageChanged();
    m_videoModel->SetHeaderLabels(QVideoPlayModel::ColumnTitles());
    m_actionToPc->setText(tr("To Computer"));
    m_actionToiTunes->setText(tr("To iTunes"));
    m_actionAdd->setText(tr("Add Video"));
    m_actionDelete->setText(tr("Delete Video"));
}
