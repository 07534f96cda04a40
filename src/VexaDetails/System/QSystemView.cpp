#include "QSystemView.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <vexa/vexa.h>

#include "CDeviceDragOut.h"
#include "CDeviceFileName.h"
#include "CDeviceUpload.h"
#include "CDropFileList.h"
#include "CFileDrag.h"
#include "CSystemFileChunk.h"
#include "CTreeFolderRefresh.h"
#include "LanguageService.h"
#include "QDragListView.h"
#include "QDragTableView.h"
#include "QDragTreeView.h"
#include "QDropFileMimeData.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"
#include "QOperatePanel.h"
#include "QSystemBrowser.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemfileTreeModel.h"
#include "QUploadDlg.h"

namespace {
const char* const kMenuStyle =
    "QMenu{background-color:rgb(122,190,204);margin:2px;}QMenu:item{background-color:white;color:rgb(122,190,"
    "204);font-weight:2px;margin:1px;height:25px;width:105px;padding-left :5px;}QMenu:item:selected{"
    "background-color:rgb(212,240,247);}QMenu:icon{left:20px;height:20px;}";

} // namespace

QSystemView::QSystemView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QSystemView"));
    SetCategoryName("File System");
    InitControls();
    OnLanguageChanged();
}

QSystemView::~QSystemView() {
    qDebug() << "begin ~QSystemView";
    StopAndWait();
    // The views keep pointers into the tree until they go with this widget; they are shown nothing.
    m_model->SetFolder(nullptr);
    m_treeModel->SetRoot(nullptr);
    m_root.reset();
    m_loadedRoot.reset();
    CloseContainer();
    qDebug() << "end ~QSystemView";
}

void QSystemView::InitControls() {
    m_treeModel = new QSystemfileTreeModel(this);
    m_model = new QSystemModel(this);
    m_proxy = new QSystemSortModel(this);
    m_proxy->setSourceModel(m_model);
    SetSearchModel(m_proxy);

    m_browser = new QSystemBrowser(m_treeModel, m_proxy, this);
    m_tree = m_browser->Tree();
    m_table = m_browser->Table();
    m_list = m_browser->List();
    SetListWidget(m_browser);
    clickList();

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("m_menu"));
    m_menu->setStyleSheet(QString::fromLatin1(kMenuStyle));
    m_menu->addAction(tr("Open"), this, &QSystemView::OnOpenFolder);

    QOperatePanel* panel = OperatePanel();
    panel->setCustomFirst(ResourceRoot() + QStringLiteral("/image/details/top_btn_New-Folder.png"));
    panel->EnableThumbBtn(true);
    connect(panel, &QOperatePanel::refreshOperate, this, &QSystemView::OnRefresh);
    connect(panel, &QOperatePanel::deleteOperate, this, &QSystemView::OnDelete);
    connect(panel, &QOperatePanel::customFirst, this, &QSystemView::OnNewFolder);
    connect(panel, &QOperatePanel::addOperate, this, &QSystemView::OnAddFiles);
    connect(panel, &QOperatePanel::thumbOperate, this, &QSystemView::ShowThumb);
    connect(panel, &QOperatePanel::listOperate, this, &QSystemView::ShowList);

    connect(this, &QSystemView::GetRootBegin, this, &QSystemView::OnGetRootBegin, Qt::QueuedConnection);
    connect(this, &QSystemView::GetRootDone, this, &QSystemView::OnGetRootDone, Qt::QueuedConnection);
    connect(m_tree, &QTreeView::clicked, this, &QSystemView::onClickedTree);
    connect(m_table, &QTableView::clicked, this, &QSystemView::onClickedTable);
    connect(m_list, &QListView::clicked, this, &QSystemView::onClickedList);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_table), static_cast<QAbstractItemView*>(m_list)}) {
        connect(view, &QAbstractItemView::doubleClicked, this, &QSystemView::onDoubleClicked);
        connect(view, &QWidget::customContextMenuRequested, this, &QSystemView::OnRightClicked);
        view->viewport()->installEventFilter(this);
    }
    m_tree->viewport()->installEventFilter(this);
    connect(m_table, &QDragTableView::doStartDrag, this, &QSystemView::OnStartDrag);
    connect(m_list, &QDragListView::doStartDrag, this, &QSystemView::OnStartDrag);
    // Queued: the upload's dialog must not run inside the drop event of the window system.
    connect(m_table, &QDragTableView::filesDropped, this, &QSystemView::OnTableFilesDropped,
            Qt::QueuedConnection);
    connect(m_list, &QDragListView::filesDropped, this, &QSystemView::OnTableFilesDropped,
            Qt::QueuedConnection);
    connect(m_tree, &QDragTreeView::filesDropped, this, &QSystemView::OnTreeFilesDropped,
            Qt::QueuedConnection);
    connect(m_browser, &QSystemBrowser::backToDevice, this, &QSystemView::OnBrowseDevice);
    connect(m_model, &QSystemModel::renameRefused, this, &QSystemView::ShowLater);
    connect(m_model, &QSystemModel::readFailed, this, &QSystemView::OnReadFailed);
    connect(m_treeModel, &QSystemfileTreeModel::readFailed, this, &QSystemView::OnReadFailed);
}

IFileService* QSystemView::Files() const {
    if (m_container != nullptr) {
        return m_container;
    }
    return Manager() != nullptr ? Manager()->GetFileService() : nullptr;
}

void QSystemView::Run() {
    emit GetRootBegin();
    auto root = std::make_unique<CSystemFileChunk>(Files(), "/", m_appId);
    if (IsStopRequested()) {
        return;
    }
    {
        std::lock_guard lock(m_loadedMutex);
        m_loadedRoot = std::move(root);
    }
    emit GetRootDone();
}

void QSystemView::StartLoad() {
    Start();
}

void QSystemView::OnGetRootBegin() {
    emit emitCloseBtnEnable(false);
    OperatePanel()->setEnabled(false);
    m_browser->ShowWaiting(true);
}

void QSystemView::OnGetRootDone() {
    std::unique_ptr<CSystemFileChunk> root;
    {
        std::lock_guard lock(m_loadedMutex);
        root = std::move(m_loadedRoot);
    }
    if (!root) {
        return;
    }
    emit emitCloseBtnEnable(true);
    m_browser->ShowWaiting(false);
    OperatePanel()->setEnabled(true);
    OperatePanel()->EnableThumbBtn(true);
    OperatePanel()->EnableListBtn(true);

    m_treeIndex = m_tableIndex = m_contextIndex = QPersistentModelIndex();
    m_model->SetFolder(nullptr);
    m_treeModel->SetRoot(nullptr);
    m_root = std::move(root);
    m_treeModel->SetRoot(m_root.get());
    m_browser->ShowContainer(QString::fromStdString(m_appId));
    m_tree->expandToDepth(0);
    ShowFolder(m_root.get());
    if (!m_root->HasReadChildren()) {
        OnReadFailed(QString::fromStdString(m_root->GetPath()), m_root->ReadError());
    } else if (!m_appId.empty()) {
        // An app's files live in its Documents folder; that is what the user came for.
        CDeviceFileItem* documents = m_root->FindChild("Documents");
        if (documents != nullptr && documents->IsDirectory()) {
            ShowFolder(documents);
        }
    }
    emit loadFinished(m_root->GetChildCount());
}

CDeviceFileItem* QSystemView::CurrentFolder() const {
    return m_model->Folder();
}

CDeviceFileItem* QSystemView::FindItem(const std::string& path) const {
    return m_root ? m_root->FindDescendant(path) : nullptr;
}

void QSystemView::ShowFolder(CDeviceFileItem* folder) {
    if (folder == nullptr || !folder->IsDirectory()) {
        return;
    }
    std::vector<CDeviceFileItem*> chain;
    for (CDeviceFileItem* step = folder->ParentItem(); step != nullptr; step = step->ParentItem()) {
        chain.push_back(step);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const QModelIndex index = m_treeModel->IndexOf(*it);
        if (m_treeModel->canFetchMore(index)) {
            m_treeModel->fetchMore(index);
        }
        m_tree->expand(index);
    }
    const QModelIndex index = m_treeModel->IndexOf(folder);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    m_treeIndex = index;
    m_tableIndex = QPersistentModelIndex();
    m_model->SetFolder(folder);
}

CDeviceFileItem* QSystemView::ContentItem(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid()) {
        return nullptr;
    }
    const QModelIndex source = proxyIndex.model() == m_proxy ? m_proxy->mapToSource(proxyIndex) : proxyIndex;
    return m_model->ItemAt(source.row());
}

CDeviceFileItem* QSystemView::RememberedTreeItem() const {
    return m_treeIndex.isValid() ? m_treeModel->ItemOf(m_treeIndex) : nullptr;
}

void QSystemView::RememberClick() {
    m_clickPos = QCursor::pos();
}

bool QSystemView::eventFilter(QObject* watched, QEvent* event) {
    // A right press comes before its context-menu request, so the menu's "still where the click was"
    // rule holds for a plain right click and fails for a request that arrives after the mouse moved.
    if (event->type() == QEvent::MouseButtonPress) {
        RememberClick();
    }
    return QBaseDetailsView::eventFilter(watched, event);
}

void QSystemView::onClickedTree(const QModelIndex& index) {
    RememberClick();
    CDeviceFileItem* folder = m_treeModel->ItemOf(index);
    if (folder == nullptr) {
        return;
    }
    m_treeIndex = index;
    m_tableIndex = QPersistentModelIndex();
    m_model->SetFolder(folder);
}

void QSystemView::onClickedTable(const QModelIndex& index) {
    RememberClick();
    m_tableIndex =
        index.isValid() ? QPersistentModelIndex(m_proxy->mapToSource(index)) : QPersistentModelIndex();
}

void QSystemView::onClickedList(const QModelIndex& index) {
    RememberClick();
    m_tableIndex =
        index.isValid() ? QPersistentModelIndex(m_proxy->mapToSource(index)) : QPersistentModelIndex();
}

void QSystemView::onDoubleClicked(const QModelIndex& index) {
    CDeviceFileItem* item = ContentItem(index);
    if (item != nullptr && item->IsDirectory()) {
        ShowFolder(item);
    }
}

void QSystemView::OnRightClicked(const QPoint& position) {
    if (QCursor::pos() != m_clickPos) {
        return;
    }
    m_clickPos = QPoint(-1, -1);
    QAbstractItemView* view = m_browser->VisibleContentView();
    const QModelIndex index = view->indexAt(position);
    m_contextIndex =
        index.isValid() ? QPersistentModelIndex(m_proxy->mapToSource(index)) : QPersistentModelIndex();
    const CDeviceFileItem* item = m_contextIndex.isValid() ? m_model->ItemAt(m_contextIndex.row()) : nullptr;
    m_menu->actions().constFirst()->setEnabled(item != nullptr && item->IsDirectory());
    m_menu->popup(view->viewport()->mapToGlobal(position));
}

void QSystemView::OnOpenFolder() {
    CDeviceFileItem* item = m_contextIndex.isValid() ? m_model->ItemAt(m_contextIndex.row()) : nullptr;
    if (item != nullptr && item->IsDirectory()) {
        ShowFolder(item);
    }
}

void QSystemView::ReloadPreservingOpenFolders(CDeviceFileItem* target) {
    if (!m_root || target == nullptr) {
        return;
    }
    m_browser->SetBusy(true);
    const std::string shownPath = CurrentFolder() != nullptr ? CurrentFolder()->GetPath() : std::string();
    const std::string treePath =
        RememberedTreeItem() != nullptr ? RememberedTreeItem()->GetPath() : std::string();
    m_model->SetFolder(nullptr);
    bool complete = true;
    target = CTreeFolderRefresh(m_tree, m_treeModel).Refresh(m_root.get(), target, &complete);
    CDeviceFileItem* shown = FindItem(shownPath);
    CDeviceFileItem* treeItem = FindItem(treePath);
    m_treeIndex = m_treeModel->IndexOf(treeItem != nullptr ? treeItem : target);
    m_tree->setCurrentIndex(m_treeIndex);
    m_tableIndex = QPersistentModelIndex();
    m_contextIndex = QPersistentModelIndex();
    m_model->SetFolder(shown != nullptr && shown->IsDirectory() ? shown : target);
    m_browser->SetBusy(false);
    if (!complete && target->ReadError() != 0) {
        OnReadFailed(QString::fromStdString(target->GetPath()), target->ReadError());
    }
}

void QSystemView::OnRefresh() {
    CDeviceFileItem* target = RememberedTreeItem();
    ReloadPreservingOpenFolders(target != nullptr ? target : m_root.get());
}

std::vector<CDeviceFileItem*> QSystemView::ItemsSelectedIn(QAbstractItemView* view) const {
    std::vector<CDeviceFileItem*> items;
    if (view == nullptr || view->selectionModel() == nullptr) {
        return items;
    }
    for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
        CDeviceFileItem* item = ContentItem(index);
        if (item != nullptr && std::find(items.begin(), items.end(), item) == items.end()) {
            items.push_back(item);
        }
    }
    return items;
}

std::vector<CDeviceFileItem*> QSystemView::HighlightedItems() const {
    std::vector<CDeviceFileItem*> items = ItemsSelectedIn(m_browser->VisibleContentView());
    CDeviceFileItem* clicked = m_tableIndex.isValid() ? m_model->ItemAt(m_tableIndex.row()) : nullptr;
    if (items.empty() && clicked != nullptr) {
        items.push_back(clicked);
    }
    return items;
}

void QSystemView::OnDelete() {
    std::vector<std::string> paths;
    QStringList names;
    for (CDeviceFileItem* item : HighlightedItems()) {
        if (!item->IsRoot()) {
            paths.push_back(item->GetPath());
            names << QString::fromStdString(item->GetName());
        }
    }
    if (paths.empty()) {
        return;
    }
    QPointer<QSystemView> self(this);
    const int answer =
        ShowMessage(tr("Are you sure you want to delete (%1)?").arg(names.join(QStringLiteral(", "))),
                    QString(), MSG_WARNING | MSG_YESNO);
    // The question's event loop may have seen the device go, or the folder refreshed.
    if (!self) {
        return;
    }
    for (size_t i = 0; answer == MSG_RESULT_YES && i < paths.size(); ++i) {
        CDeviceFileItem* item = FindItem(paths[i]);
        if (item != nullptr && !item->RemoveFromDevice()) {
            ShowLater(tr("The entry \"%1\" could not be deleted.").arg(names[int(i)]));
        }
    }
    OnRefresh();
    m_tableIndex = QPersistentModelIndex();
}

void QSystemView::OnExportHighlighted() {
    std::vector<std::string> paths;
    for (CDeviceFileItem* item : HighlightedItems()) {
        paths.push_back(item->GetPath());
    }
    if (paths.empty()) {
        return;
    }
    QPointer<QSystemView> self(this);
    const QString folder = QFileFolderExport::ChooseFolder(this);
    if (!self || folder.isEmpty()) {
        return;
    }
    if (!QDir().mkpath(folder)) {
        ShowLater(tr("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    // Device calls of this page run on the GUI thread; the views take no clicks meanwhile.
    m_browser->SetBusy(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool complete = true;
    for (const std::string& path : paths) {
        CDeviceFileItem* item = FindItem(path);
        complete = item != nullptr && item->ExportTo(folder.toStdString()) && complete;
    }
    QApplication::restoreOverrideCursor();
    m_browser->SetBusy(false);
    ShowLater(complete ? tr("The entries were copied to %1.").arg(QDir::toNativeSeparators(folder))
                       : tr("Some entries could not be copied from the device."));
}

void QSystemView::OnNewFolder() {
    CDeviceFileItem* target = RememberedTreeItem();
    if (target == nullptr) {
        target = m_root.get();
    }
    if (target == nullptr || !target->IsDirectory()) {
        return;
    }
    target->ReadChildren();
    const QString base = tr("New Folder");
    QString name = base;
    for (int number = 2; target->FindChild(name.toStdString()) != nullptr; ++number) {
        name = CDropFileList::NumberedName(base, number);
    }
    const std::string targetPath = target->GetPath();
    const bool created = target->CreateFolder(name.toStdString());
    if (!created) {
        ShowLater(tr("The folder \"%1\" could not be created.").arg(name));
    }
    ReloadPreservingOpenFolders(target);
    CDeviceFileItem* folder = FindItem(targetPath);
    if (!created) {
        return;
    }
    ShowFolder(folder);
    // The new folder is named at once: its row starts in edit mode.
    CDeviceFileItem* made = folder != nullptr ? folder->FindChild(name.toStdString()) : nullptr;
    const int row = m_model->RowOf(made);
    if (row >= 0 && !m_browser->ShowsIcons()) {
        const QModelIndex index = m_proxy->mapFromSource(m_model->index(row, QSystemModel::ColumnName));
        m_table->setCurrentIndex(index);
        m_table->scrollTo(index);
        m_table->edit(index);
    }
}

void QSystemView::OnAddFiles() {
    CDeviceFileItem* folder = CurrentFolder() != nullptr ? CurrentFolder() : m_root.get();
    if (folder == nullptr) {
        return;
    }
    const std::string path = folder->GetPath();
    QPointer<QSystemView> self(this);
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Copy to Device"));
    if (!self || files.isEmpty()) {
        return;
    }
    UploadInto(FindItem(path), files);
}

void QSystemView::OnTableFilesDropped(const QStringList& localPaths, const QModelIndex& target) {
    CDeviceFileItem* item = ContentItem(target);
    UploadInto(item != nullptr && item->IsDirectory() ? item : CurrentFolder(), localPaths);
}

void QSystemView::OnTreeFilesDropped(const QStringList& localPaths, const QModelIndex& target) {
    CDeviceFileItem* item = m_treeModel->ItemOf(target);
    UploadInto(item != nullptr ? item : m_root.get(), localPaths);
}

bool QSystemView::UploadInto(CDeviceFileItem* folder, const QStringList& localPaths) {
    if (folder == nullptr || !folder->IsDirectory() || localPaths.isEmpty()) {
        return false;
    }
    const std::string folderPath = folder->GetPath();
    const std::vector<CDeviceUpload::Step> steps = CDeviceUpload::PlanInto(folder, localPaths);
    if (steps.empty()) {
        ShowLater(tr("There is nothing to copy: links and special files are not copied to the device."));
        return false;
    }
    QPointer<QSystemView> self(this);
    // Not a child of this view: an unplug during the dialog deletes the view, never the dialog. It
    // goes as soon as it is closed: a message shown next is parented to the active window, which a
    // deferred deletion would take with it.
    auto dialog = std::make_unique<QUploadDlg>(DeviceHandle(), m_appId, steps);
    const int failed = dialog->RunModal();
    const bool cancelled = dialog->WasCancelled();
    dialog.reset();
    if (!self) {
        return false;
    }
    ReloadPreservingOpenFolders(FindItem(folderPath));
    if (failed > 0 && !cancelled) {
        ShowLater(
            tr("Some items could not be copied to the device (%1 of %2).").arg(failed).arg(steps.size()));
    }
    return failed == 0;
}

QDropFileMimeData* QSystemView::PrepareDrag(QAbstractItemView* view) {
    const std::vector<CDeviceFileItem*> items = ItemsSelectedIn(view);
    if (items.empty()) {
        return nullptr;
    }
    const QStringList localPaths = m_dragOut.Prepare(items);
    if (localPaths.isEmpty()) {
        ShowLater(tr("The temporary folder for the drag could not be created."));
        return nullptr;
    }
    return new QDropFileMimeData(localPaths, this, this);
}

void QSystemView::OnStartDrag(Qt::DropActions) {
    auto* view = qobject_cast<QAbstractItemView*>(sender());
    if (view == nullptr) {
        view = m_browser->VisibleContentView();
    }
    // The entries stay remembered after the loop: some targets ask for the data once it has ended.
    CFileDrag::Start(view, PrepareDrag(view));
}

bool QSystemView::OnDrop() {
    const bool complete =
        m_dragOut.CopyOut([this](const std::string& path) { return FindItem(path); }, Files(), m_appId);
    if (!complete) {
        ShowLater(tr("Some entries could not be copied from the device."));
    }
    return complete;
}

void QSystemView::OnReadFailed(const QString& path, int result) {
    if (IsHalted()) {
        return;
    }
    qDebug() << "QSystemView ReadDirectory failed" << result << path;
    ShowLater(tr("The folder %1 could not be read.").arg(path));
}

void QSystemView::ShowLater(const QString& message) {
    // One dialog for a burst of failures (every folder of a drag, say), each text once.
    if (m_pendingMessages.contains(message)) {
        return;
    }
    m_pendingMessages.append(message);
    if (m_pendingMessages.size() > 1) {
        return;
    }
    QTimer::singleShot(0, this, [this] {
        const QString text = m_pendingMessages.join(QLatin1Char('\n'));
        m_pendingMessages.clear();
        ShowMessage(text, QString(), MSG_WARNING);
    });
}

void QSystemView::ShowThumb() {
    m_browser->ShowIcons(true);
    OperatePanel()->SelectThumb();
}

void QSystemView::ShowList() {
    m_browser->ShowIcons(false);
    OperatePanel()->SelectList();
}

void QSystemView::CloseContainer() {
    if (m_container == nullptr) {
        return;
    }
    IFileService* device = Manager() != nullptr ? Manager()->GetFileService() : nullptr;
    if (device == nullptr || device->CloseAppContainer(m_container) == 0) {
        qDebug() << "Close appFileHandle failed!";
    }
    m_container = nullptr;
}

bool QSystemView::DropRoot() {
    // The wait for a load in flight keeps events flowing: the device may leave meanwhile.
    QPointer<QSystemView> self(this);
    StopAndWait();
    if (!self || IsHalted()) {
        return false;
    }
    m_model->SetFolder(nullptr);
    m_treeModel->SetRoot(nullptr);
    m_treeIndex = m_tableIndex = m_contextIndex = QPersistentModelIndex();
    m_root.reset();
    {
        std::lock_guard lock(m_loadedMutex);
        m_loadedRoot.reset();
    }
    CloseContainer();
    m_appId.clear();
    return true;
}

void QSystemView::OnBrowseAppContainer(const QString& appId) {
    if (!DropRoot()) {
        return;
    }
    IFileService* device = Manager() != nullptr ? Manager()->GetFileService() : nullptr;
    IFileService* container = nullptr;
    if (device == nullptr || device->OpenAppContainer(appId.toUtf8().constData(), &container) != 0) {
        ShowLater(tr("The documents of this app could not be opened."));
        StartLoad();
        return;
    }
    m_container = container;
    m_appId = appId.toStdString();
    StartLoad();
}

void QSystemView::OnBrowseDevice() {
    if (m_container == nullptr) {
        return;
    }
    if (!DropRoot()) {
        return;
    }
    StartLoad();
}

void QSystemView::OnLanguageChanged() {
    QBaseDetailsView::OnLanguageChanged();
    if (!m_menu) {
        return;
    }
    m_menu->actions().constFirst()->setText(tr("Open"));
    m_model->Retranslate();
    m_browser->Retranslate();
    OperatePanel()->setCustomFirst(ResourceRoot() + QStringLiteral("/image/details/top_btn_New-Folder.png"));
    m_browser->ReloadImages();
}
