#include "QNavigateWidget.h"

#include <algorithm>
#include <vector>

#include <QDateTime>
#include <QDebug>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <vexa/BackupDevice.h>

#include "CBackupTreeNodes.h"
#include "CCategoryViewFactory.h"
#include "CDeviceLease.h"
#include "CDevicePages.h"
#include "CDeviceTreeNodes.h"
#include "CSingleDetectiPhone.h"
#include "CViewTeardown.h"
#include "ConnectWidget.h"
#include "InitDeviceWidget.h"
#include "LanguageService.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QDeviceTreeMenus.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMusicTreeNodes.h"
#include "QPlayAnalysisTread.h"
#include "QProUtil.h"
#include "QRightFuntionWidget.h"
#include "QSystemView.h"
#include "QiBookAnalysisThread.h"
#include "TreeDelegate.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"
#include "ui_QNavigateWidget.h"

QNavigateWidget::QNavigateWidget(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QNavigateWidget>()) {
    ui->setupUi(this);
    InitControls();

    connect(ui->m_treeView, &QTreeView::pressed, this, &QNavigateWidget::ClickTreeViewItem);
    connect(ui->m_treeView, &QTreeView::entered, this, &QNavigateWidget::EnterTreeViewItem);
    connect(ui->m_treeView, &QTreeView::doubleClicked, this, &QNavigateWidget::DoubleClickTreeViewItem);
    connect(ui->m_treeView, &QTreeView::expanded, this, &QNavigateWidget::OnTreeItemExpanded);
    connect(ui->m_treeView, &QTreeView::collapsed, this, &QNavigateWidget::OnTreeItemCollapsed);
    connect(ui->m_treeView, &QWidget::customContextMenuRequested, this, &QNavigateWidget::showDeviceTreeMenu);
    connect(m_menus, &QDeviceTreeMenus::playlistDeleted, this, &QNavigateWidget::DeletePlayList);
    connect(this, &QNavigateWidget::NewPlayList, this, &QNavigateWidget::AddPlaylistName);
    connect(ui->m_help, &QAbstractButton::clicked, this, &QNavigateWidget::OnClickHelp);
    QRightFuntionWidget* tools = ui->m_buttonPanel;
    connect(tools, &QRightFuntionWidget::clickPc, this, &QNavigateWidget::OnClickPc);
    connect(tools, &QRightFuntionWidget::clickToDevice, this, &QNavigateWidget::OnClickToDevice);
    connect(tools, &QRightFuntionWidget::clickToiTunes, this, &QNavigateWidget::OnClickiTunes);
    connect(tools, &QRightFuntionWidget::clickBackup, this, &QNavigateWidget::OnClickBackup);
    connect(tools, &QRightFuntionWidget::clickRestore, this, &QNavigateWidget::OnClickRestore);
    connect(tools, &QRightFuntionWidget::clickTools, this, &QNavigateWidget::OnClickTools);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QNavigateWidget::OnLanguageChanged);

    ShowPage(PAGE_WAITING, -1);
    CSingleDetectiPhone::Instance()->SetDetectCallback(this);
}

QNavigateWidget::~QNavigateWidget() {
    qDebug() << "+++++++++++++++++++++++++++++begin ~QNavigateWidget";
    CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
    detector->SetDetectCallback(nullptr);
    // Every job under the navigation ends while every page is still whole: what a job posts on its
    // way out is shown, or dropped, now. Otherwise it could reach a page (the information page's
    // storage figures) in the middle of another page's teardown, whose wait lets events through.
    CViewTeardown::HaltAll(findChildren<QObject*>());
    const QList<TreeNode*> nodes = m_deviceNodes;
    m_deviceNodes.clear();
    for (TreeNode* node : nodes)
        DeleteAllView(node, ViewDeletion::Now);
    // Pages use their device's manager from a worker: they go before the managers do.
    m_pages->DeleteAll();
    const QMap<int, IVexaManager*> managers = detector->TakeAllDevices();
    for (IVexaManager* manager : managers) {
        IVexaManager* released = manager;
        DeleteVexaManager(&released);
    }
    qDebug() << "+++++++++++++++++++++++++++++end ~QNavigateWidget";
}

TreeView* QNavigateWidget::Tree() const {
    return ui->m_treeView;
}

QWidget* QNavigateWidget::CurrentPage() const {
    return m_pages->Current();
}

void QNavigateWidget::InitControls() {
    m_model = new TreeModel(this);
    m_delegate = new TreeDelegate(this);
    m_musicTree = new QMusicTreeNodes(
        m_model, [this](int deviceHandle, int kind) { return CategoryNode(deviceHandle, kind); }, this);
    m_menus = new QDeviceTreeMenus(
        ui->m_treeView, m_model, m_musicTree,
        [this](int deviceHandle, int kind) { return CategoryNode(deviceHandle, kind); }, this);
    m_pages = std::make_unique<CDevicePages>(this, ui->m_buttonPanel);
    ui->m_treeView->setModel(m_model);
    ui->m_treeView->setItemDelegate(m_delegate);
    // A contact group renamed in place is renamed on the device by the contacts view.
    connect(m_model, &TreeModel::nodeRenamed, this, [this](TreeNode* node, const QString& oldText) {
        TreeNode* contacts = node->Kind() == NODE_GROUP ? node->Parent() : nullptr;
        QWidget* view = contacts ? contacts->Binding().view : nullptr;
        if (view)
            QMetaObject::invokeMethod(view, "OnRenameGroup", Qt::DirectConnection, Q_ARG(QString, oldText),
                                      Q_ARG(QString, node->Text()));
    });
    ui->m_treeTitle->setPixmap(QPixmap(ResourceRoot() + QStringLiteral("/image/tree_title.png")));
    ui->m_treeTitle->setStyleSheet(QStringLiteral("QLabel{background-color:rgb(216,243,249);}"));
    if (!ui->m_help->SetImages(ResourceRoot() + QStringLiteral("/image/btn_help.png")))
        ShowMessage(tr("QNavigateWidget::InitControls can't find /image/btn_help.png image, please "
                       "re-install software"));
    ui->m_help->setCursor(Qt::PointingHandCursor);

    auto* openBackup = new QToolButton(ui->m_treeTitle);
    openBackup->setObjectName(QStringLiteral("m_openBackup"));
    openBackup->setAutoRaise(true);
    openBackup->setCursor(Qt::PointingHandCursor);
    // An icon beside the help button: the title's own text fills the left of the row. The text stays the
    // button's name, and the tooltip says it.
    openBackup->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    openBackup->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ui->m_titleLayout->insertWidget(ui->m_titleLayout->indexOf(ui->m_help), openBackup);
    m_openBackup = openBackup;
    connect(openBackup, &QToolButton::clicked, this, &QNavigateWidget::OnClickOpenBackup);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &QNavigateWidget::OnClickOpenBackup);
    m_backups = std::make_unique<CBackupTreeNodes>(m_model);
    ui->m_treeView->expand(m_model->IndexOf(m_backups->Group()));
    m_openBackup->setText(tr("Open backup…"));
    m_openBackup->setToolTip(tr("Open a backup folder to view and export its content (Ctrl+O)"));
}

// ---------------------------------------------------------------------------------------------------
// Device news and pages

void QNavigateWidget::OnDeviceStateChange(int state, int deviceHandle) {
    qDebug("iOS Device state change %d", state);
    if (state == DETECT_IPHONE_GONE && OnDeviceGoneBesideOthers(deviceHandle))
        return;
    if (m_currentView)
        m_currentView->hide();
    m_currentView = nullptr;
    if (m_currentNode) {
        m_currentNode->SetState(NODE_STATE_NORMAL);
        m_model->NodeChanged(m_currentNode);
        m_currentNode = nullptr;
    }
    m_pages->HideCurrent();

    switch (state) {
    case DETECT_IPHONE_GONE:
        RemoveDevice(deviceHandle);
        ShowPage(PAGE_WAITING, deviceHandle);
        break;
    case DETECT_IPHONE_READY:
        ShowPage(PAGE_INITIALISING, deviceHandle);
        break;
    case DETECT_IPHONE_INIT_FINISHED:
        ShowPage(PAGE_DEVICE, deviceHandle);
        break;
    case DETECT_IPHONE_TRUST_PENDING:
    case DETECT_IPHONE_PAIRING_FAILED:
        ShowPage(state == DETECT_IPHONE_PAIRING_FAILED ? PAGE_CONNECT_FAILED : PAGE_WAITING, deviceHandle);
        if (auto* page = qobject_cast<ConnectWidget*>(m_pages->Current()))
            page->ShowTrustPrompt(state == DETECT_IPHONE_PAIRING_FAILED);
        break;
    default:
        break;
    }
}

bool QNavigateWidget::OnDeviceGoneBesideOthers(int deviceHandle) {
    const bool others =
        std::any_of(m_deviceNodes.cbegin(), m_deviceNodes.cend(),
                    [deviceHandle](TreeNode* node) { return node->DeviceHandle() != deviceHandle; });
    if (!others)
        return false;
    RemoveDevice(deviceHandle);
    if (m_deviceNodes.isEmpty())
        return false; // the others left while the removal let events run
    // The devices that stay keep their pages and the home tools; the right side changes only when it
    // showed the device that left (or a waiting screen), and then shows the newest remaining device.
    QWidget* current = m_currentView;
    if (current && !current->isHidden() && current->objectName() != QLatin1String("ConnectWidget"))
        return true;
    m_pages->HideCurrent();
    ClickTreeViewItem(m_model->IndexOf(m_deviceNodes.last()));
    ui->m_buttonPanel->SetToolsEnabled(1);
    return true;
}

void QNavigateWidget::ShowPage(int page, int deviceHandle) {
    switch (page) {
    case PAGE_WAITING:
        m_pages->ShowConnectPage(0);
        break;
    case PAGE_INITIALISING:
        connect(m_pages->ShowInitPage(deviceHandle), &InitDeviceWidget::initDeviceFinish, this,
                &QNavigateWidget::OnInitDeviceFinish);
        break;
    case PAGE_CONNECT_FAILED:
        m_pages->ShowConnectPage(2);
        break;
    case PAGE_DEVICE:
        ShowInformationPage(deviceHandle);
        break;
    default:
        return;
    }
    if (QWidget* current = m_pages->Current())
        ShowInContent(current);
}

void QNavigateWidget::ShowInformationPage(int deviceHandle) {
    CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
    IVexaManager* manager = detector->ManagerOf(deviceHandle);
    const DeviceInfo* record = detector->RecordOf(manager);
    if (!manager || !record || DeviceNode(deviceHandle)) {
        // The device left meanwhile, or is shown already.
        if (TreeNode* shown = DeviceNode(deviceHandle))
            ClickTreeViewItem(m_model->IndexOf(shown));
        else
            m_pages->ShowConnectPage(2);
        return;
    }
    QDeviceInformationWidget* page = m_pages->ShowInformationPage(manager, deviceHandle);
    if (!page)
        return;
    connect(page, &QDeviceInformationWidget::refreshTreeRootName, this, &QNavigateWidget::RefreshRootNode);

    // Only the newest device keeps the arrival highlight.
    for (TreeNode* other : m_deviceNodes) {
        if (other->State() == NODE_STATE_HIGHLIGHTED) {
            other->SetState(NODE_STATE_NORMAL);
            m_model->NodeChanged(other);
        }
    }
    const char* name = record->properties[DP_DeviceName];
    const QString deviceName = name ? QString::fromUtf8(name) : QString();
    TreeNode* node = nullptr;
    if (IsBackupDeviceHandle(deviceHandle)) {
        const char* made = record->properties[DP_TimeIntervalSince1970];
        const QString date = made ? QDateTime::fromSecsSinceEpoch(QByteArray(made).toLongLong())
                                        .toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                                  : QString();
        node = CDeviceTreeNodes::CreateBackup(CBackupTreeNodes::Caption(deviceName, date, QString()),
                                              deviceHandle);
        // The backup just opened is listed among the known ones from now on.
        m_backups->Refresh([this](TreeNode* child) { ForgetNodesUnder(child); });
    } else {
        node = CDeviceTreeNodes::CreateDevice(deviceName, deviceHandle);
    }
    node->SetBinding({page, nullptr});
    m_deviceNodes.append(node);
    node->SetState(NODE_STATE_HIGHLIGHTED);
    m_model->AppendNode(m_model->Root(), node);
    ui->m_treeView->expand(m_model->IndexOf(node));
    if (TreeNode* media = node->FindChildOfKind(SUB_ITEM_MEDIA))
        ui->m_treeView->expand(m_model->IndexOf(media));
    CreateCategoryViews(manager);
}

void QNavigateWidget::CreateCategoryViews(IVexaManager* manager) {
    const int handle = manager->GetDeviceHandle();
    if (!DeviceNode(handle))
        return;
    // A view's constructor may report a missing image in a modal message, whose event loop can deliver
    // the device's removal. Nodes are bound only once every view exists and the device is still here.
    const std::vector<CCategoryViewFactory::Binding> bindings =
        CCategoryViewFactory::CreateAll({manager, handle, this, this});
    TreeNode* device = DeviceNode(handle);
    if (!device || CSingleDetectiPhone::Instance()->ManagerOf(handle) != manager) {
        for (const CCategoryViewFactory::Binding& binding : bindings)
            delete binding.loader.data();
        for (const CCategoryViewFactory::Binding& binding : bindings)
            delete binding.view.data();
        return;
    }
    QSet<QObject*> bound, unboundLoaders, unboundViews;
    for (const CCategoryViewFactory::Binding& binding : bindings) {
        if (TreeNode* node = CategoryNode(handle, binding.kind)) {
            node->SetBinding({binding.view.data(), binding.loader.data()});
            bound << binding.view.data() << binding.loader.data();
        } else {
            unboundLoaders << binding.loader.data();
            unboundViews << binding.view.data();
        }
    }
    // A device without some categories (a backup) has no node for their views. Loaders go first: they
    // report to their views while they stop.
    for (QSet<QObject*>* unbound : {&unboundLoaders, &unboundViews}) {
        unbound->subtract(bound);
        unbound->remove(nullptr);
        qDeleteAll(*unbound);
    }
    for (const CCategoryViewFactory::Binding& binding : bindings) {
        if (binding.startAtOnce && CategoryNode(handle, binding.kind)) {
            SetWaiting(CategoryNode(handle, binding.kind), true);
            binding.startAtOnce();
        }
    }
}

void QNavigateWidget::AddPlaylistName(int deviceHandle, const QString& name) {
    TreeNode* node = CategoryNode(deviceHandle, SUB_ITEM_PLAYLIST);
    if (auto* loader = node ? qobject_cast<QPlayAnalysisTread*>(node->Binding().loader) : nullptr)
        loader->AddPlaylistName(loader->PlaylistCount(), name);
}

void QNavigateWidget::OpenAppDocuments(int deviceHandle, const QString& appId) {
    TreeNode* device = DeviceNode(deviceHandle);
    TreeNode* system = device ? device->FindChildOfKind(SUB_ITEM_SYSTEM) : nullptr;
    if (!system)
        return;
    ClickTreeViewItem(m_model->IndexOf(system));
    if (auto* browser = qobject_cast<QSystemView*>(system->Binding().view))
        browser->OnBrowseAppContainer(appId);
}

void QNavigateWidget::OnInitDeviceFinish(int deviceHandle) {
    // Without its page the device left while it was being initialised; the waiting page stays.
    if (m_pages->FinishInitPage(deviceHandle))
        OnDeviceStateChange(DETECT_IPHONE_INIT_FINISHED, deviceHandle);
}

void QNavigateWidget::RemoveDevice(int deviceHandle) {
    // Closing the window now would run the teardown twice: the views' waits process events.
    emit emitEnabelCloseBtn(false);
    m_pages->DropInitPage(deviceHandle);
    TreeNode* node = DeviceNode(deviceHandle);
    if (node) {
        m_deviceNodes.removeOne(node);
        ForgetNodesUnder(node);
        DeleteAllView(node, ViewDeletion::Later);
    }
    // The manager goes after the views and loaders that were handed it: deferred deletions run in the
    // order they were asked for.
    if (IVexaManager* manager = CSingleDetectiPhone::Instance()->TakeDevice(deviceHandle)) {
        auto* release = new QObject(this);
        connect(release, &QObject::destroyed, [manager] {
            CDeviceLease::WaitForRelease(manager); // a backup, restore or transfer may still be ending
            IVexaManager* released = manager;
            DeleteVexaManager(&released);
        });
        release->deleteLater();
    }
    if (node)
        m_model->RemoveNode(node);
    emit emitEnabelCloseBtn(true);
}

void QNavigateWidget::ForgetNodesUnder(TreeNode* deviceNode) {
    auto isUnder = [deviceNode](const TreeNode* node) {
        for (; node; node = node->Parent()) {
            if (node == deviceNode)
                return true;
        }
        return false;
    };
    if (isUnder(m_currentNode))
        m_currentNode = nullptr;
    if (isUnder(m_hoverNode))
        m_hoverNode = nullptr;
    if (isUnder(m_model->NodeOf(m_menus->PressedIndex())))
        m_menus->SetPressedIndex(QModelIndex());
}

void QNavigateWidget::DeleteAllView(TreeNode* deviceNode, ViewDeletion deletion) {
    const QList<QObject*> doomed = CViewTeardown::Unbind(deviceNode);
    for (QObject* object : doomed) {
        if (object == m_currentView)
            m_currentView = nullptr;
        m_pages->Forget(object);
    }
    if (deletion == ViewDeletion::Now)
        qDeleteAll(doomed);
    else
        CViewTeardown::DisposeLater(doomed, ui->m_gridLayout, this);
}

void QNavigateWidget::ShowInContent(QWidget* widget) {
    if (m_currentView && m_currentView != widget)
        m_currentView->hide();
    if (ui->m_gridLayout->indexOf(widget) < 0)
        ui->m_gridLayout->addWidget(widget, 0, 0);
    widget->show();
    m_currentView = widget;
}

// ---------------------------------------------------------------------------------------------------
// Tree

TreeNode* QNavigateWidget::NodeOfIndex(const QModelIndex& index) const {
    return m_model->NodeOf(index);
}

TreeNode* QNavigateWidget::DeviceNode(int deviceHandle) const {
    for (TreeNode* node : m_deviceNodes) {
        if (node->DeviceHandle() == deviceHandle)
            return node;
    }
    return nullptr;
}

TreeNode* QNavigateWidget::CategoryNode(int deviceHandle, int kind) const {
    TreeNode* device = DeviceNode(deviceHandle);
    if (!device)
        return nullptr;
    if (kind == NODE_VIDEO || kind == NODE_MUSIC) {
        TreeNode* media = device->FindChildOfKind(SUB_ITEM_MEDIA);
        return media ? media->FindChildOfKind(kind) : nullptr;
    }
    return device->FindChildOfKind(kind);
}

void QNavigateWidget::ClickTreeViewItem(const QModelIndex& index) {
    TreeNode* node = NodeOfIndex(index);
    if (!node)
        return;
    if (node->Kind() == NODE_KNOWN_BACKUP) {
        // Opened from the event loop: the press handler does not run the password dialog's loop.
        QTimer::singleShot(0, this, [this, folder = m_backups->FolderOf(node)] { OpenKnownBackup(folder); });
        return;
    }
    if (node->Kind() == NODE_BACKUPS)
        return;
    m_menus->SetPressedIndex(index);
    if (node != m_currentNode) {
        if (m_currentNode) {
            m_currentNode->SetState(NODE_STATE_NORMAL);
            m_model->NodeChanged(m_currentNode);
        }
        if (m_currentView)
            m_currentView->hide();
        m_currentNode = node;
        node->SetState(NODE_STATE_SELECTED);
        ui->m_buttonPanel->ShowToolsFor(CSingleDetectiPhone::Instance()->ManagerOf(node->DeviceHandle()));
        qDebug() << "Select row is :" << index.row();
    }
    if (QWidget* view = node->Binding().view)
        ShowInContent(view);
    // A group node shows its members; the category node shows every contact again.
    if (auto* contacts = qobject_cast<QContactsView*>(node->Binding().view))
        contacts->ShowGroup(node->Kind() == NODE_GROUP ? node->Text() : QString());
    m_musicTree->OnNodePressed(node);
    StartLoader(node);
    m_model->NodeChanged(node);
    ui->m_treeView->viewport()->update();
    node->IncrementPressCount();
}

void QNavigateWidget::StartLoader(TreeNode* node) {
    if (!CDeviceTreeNodes::LoadsOnThisPress(node))
        return;
    const TreeViewBinding binding = node->Binding();
    if (node->Kind() == SUB_ITEM_IBOOKS) {
        if (auto* loader = qobject_cast<QiBookAnalysisThread*>(binding.loader)) {
            SetWaiting(node, true);
            loader->refresh();
        }
        return;
    }
    if (auto* view = qobject_cast<QBaseDetailsView*>(binding.view)) {
        SetWaiting(node, true);
        if (node->Kind() == SUB_ITEM_MEDIA)
            SetWaiting(node->FindChildOfKind(NODE_VIDEO), true);
        view->Start();
    }
}

void QNavigateWidget::StopWaiting(int deviceHandle, int kind) {
    SetWaiting(CategoryNode(deviceHandle, kind), false);
}

void QNavigateWidget::ShowUncounted(int deviceHandle, int kind) {
    TreeNode* node = CategoryNode(deviceHandle, kind);
    if (!node)
        return;
    node->SetText(CDeviceTreeNodes::CategoryName(kind));
    SetWaiting(node, false);
    m_model->NodeChanged(node);
}

void QNavigateWidget::SetWaiting(TreeNode* node, bool waiting) {
    ui->m_treeView->SetWaiting(m_model->IndexOf(node), waiting);
}

void QNavigateWidget::EnterTreeViewItem(const QModelIndex& index) {
    TreeNode* node = NodeOfIndex(index);
    if (m_hoverNode && m_hoverNode != node && m_hoverNode->State() == NODE_STATE_HIGHLIGHTED) {
        m_hoverNode->SetState(NODE_STATE_NORMAL);
        m_model->NodeChanged(m_hoverNode);
    }
    m_hoverNode = node;
    if (node && node->State() != NODE_STATE_SELECTED) {
        node->SetState(NODE_STATE_HIGHLIGHTED);
        m_model->NodeChanged(node);
    }
}

void QNavigateWidget::DoubleClickTreeViewItem(const QModelIndex&) {}

void QNavigateWidget::OnTreeItemExpanded(const QModelIndex& index) {
    if (TreeNode* node = NodeOfIndex(index))
        node->SetExpanded(true);
}

void QNavigateWidget::OnTreeItemCollapsed(const QModelIndex& index) {
    if (TreeNode* node = NodeOfIndex(index))
        node->SetExpanded(false);
}

// ---------------------------------------------------------------------------------------------------
// Context menus

QMenu* QNavigateWidget::PrepareTreeMenu(const QModelIndex& index) {
    return m_menus->Prepare(index);
}

void QNavigateWidget::showDeviceTreeMenu(const QPoint& pos) {
    if (ShowBackupMenu(NodeOfIndex(ui->m_treeView->indexAt(pos)), pos))
        return;
    m_menus->ShowAt(pos);
}

bool QNavigateWidget::ShowBackupMenu(TreeNode* node, const QPoint& pos) {
    if (!node || node->Kind() != NODE_DEVICE || !IsBackupDeviceHandle(node->DeviceHandle()))
        return false;
    QMenu menu(this);
    const int handle = node->DeviceHandle();
    menu.addAction(tr("Close backup"), this,
                   [handle] { CSingleDetectiPhone::Instance()->CloseOpenedDevice(handle); });
    menu.exec(ui->m_treeView->viewport()->mapToGlobal(pos));
    return true;
}

void QNavigateWidget::OnActionNewPlist() {
    m_menus->NewPlaylist();
}

void QNavigateWidget::OnActionRename() {
    m_menus->Rename();
}

void QNavigateWidget::OnActionDelPlist() {
    m_menus->DeletePlaylist();
}

void QNavigateWidget::OnActionNewPhotos() {
    m_menus->NewAlbum();
}

void QNavigateWidget::OnActionDelPhotos() {
    m_menus->DeleteAlbum();
}

void QNavigateWidget::OnActionNewContact() {
    m_menus->NewGroup();
}

void QNavigateWidget::OnActionDelContact() {
    m_menus->DeleteGroup();
}

// ---------------------------------------------------------------------------------------------------

void QNavigateWidget::OnLanguageChanged() {
    for (TreeNode* device : m_deviceNodes) {
        QList<TreeNode*> nodes = device->Children();
        if (TreeNode* media = device->FindChildOfKind(SUB_ITEM_MEDIA))
            nodes += media->Children();
        for (TreeNode* node : nodes) {
            node->SetText(CDeviceTreeNodes::Retranslated(node));
            m_model->NodeChanged(node);
        }
    }
    m_menus->Retranslate();
    m_backups->Retranslate();
    m_openBackup->setText(tr("Open backup…"));
    m_openBackup->setToolTip(tr("Open a backup folder to view and export its content (Ctrl+O)"));
    m_model->ClearIconCache();
    ui->m_treeTitle->setPixmap(QPixmap(ResourceRoot() + QStringLiteral("/image/tree_title.png")));
    ui->m_help->SetImages(ResourceRoot() + QStringLiteral("/image/btn_help.png"));
    ui->m_treeView->viewport()->update();
}
