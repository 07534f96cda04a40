#include "QNavigateWidget.h"

#include <functional>
#include <vector>

#include <QAction>
#include <QDebug>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPointer>
#include <QProcess>
#include <QSet>
#include <QUrl>

#include "CActionStrategyDlg.h"
#include "CBackupToolLauncher.h"
#include "CCategoryViewFactory.h"
#include "CDeviceLease.h"
#include "CExportRoute.h"
#include "CSingleDetectiPhone.h"
#include "ConnectWidget.h"
#include "InitDeviceWidget.h"
#include "LanguageService.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QFileFolderExport.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMusicTreeNodes.h"
#include "QMusicView.h"
#include "QPlayAnalysisTread.h"
#include "QProUtil.h"
#include "QRecordExportDialog.h"
#include "QRightFuntionWidget.h"
#include "QVideoView.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "ToolWidget.h"
#include "TreeDelegate.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"
#include "WidgetColors.h"
#include "ui_QNavigateWidget.h"

namespace {

struct CategoryImages {
    const char* icon;
    const char* selectedIcon;
};

const CategoryImages kCategoryImages[SUB_ITEM_COUNT] = {
    {"/image/div/Media_icon.png", "/image/div/Media_icon1_btn.png"},
    {"/image/div/Playlist_icon.png", "/image/div/Playlist_icon1_btn.png"},
    {"/image/div/Photos_icon.png", "/image/div/Photos_icon1_btn.png"},
    {"/image/div/iBook_icon.png", "/image/div/iBook_icon1_btn.png"},
    {"/image/div/Contacts_icon.png", "/image/div/Contacts_icon1_btn.png"},
    {"/image/div/Message_icon.png", "/image/div/Message_icon1_btn.png"},
    {"/image/div/App_icon.png", "/image/div/Apps_icon1_btn.png"},
    {"/image/div/System_icon.png", "/image/div/System_icon.png"},
};

const char* const kVideoIcon = "/image/div/images/M_ICON_V.png";
const char* const kMusicIcon = "/image/div/images/M_ICON_MUSIC.png";

// Built-in albums and groups the device keeps for itself.
const QStringList kProtectedAlbums = {QStringLiteral("Camera Roll"), QStringLiteral("Photo Libary")};
const QStringList kProtectedGroups = {QStringLiteral("Friend"), QStringLiteral("Family"),
                                      QStringLiteral("Ungrouped"), QStringLiteral("Classmate")};

// The count part of a node text, " (12)", or nothing.
QString CountSuffix(const QString& text) {
    const qsizetype at = text.indexOf(QStringLiteral(" ("));
    return at < 0 ? QString() : text.mid(at);
}

} // namespace

QNavigateWidget::QNavigateWidget(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QNavigateWidget>()) {
    ui->setupUi(this);
    InitControls();
    CreateMenus();

    connect(ui->m_treeView, &QTreeView::pressed, this, &QNavigateWidget::ClickTreeViewItem);
    connect(ui->m_treeView, &QTreeView::entered, this, &QNavigateWidget::EnterTreeViewItem);
    connect(ui->m_treeView, &QTreeView::doubleClicked, this, &QNavigateWidget::DoubleClickTreeViewItem);
    connect(ui->m_treeView, &QTreeView::expanded, this, &QNavigateWidget::OnTreeItemExpanded);
    connect(ui->m_treeView, &QTreeView::collapsed, this, &QNavigateWidget::OnTreeItemCollapsed);
    connect(ui->m_treeView, &QWidget::customContextMenuRequested, this, &QNavigateWidget::showDeviceTreeMenu);
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
    const QList<TreeNode*> nodes = m_deviceNodes;
    m_deviceNodes.clear();
    for (TreeNode* node : nodes)
        DeleteAllView(node, ViewDeletion::Now);
    // Pages use their device's manager from a worker: they go before the managers do. The current
    // page may be one of the initialising pages; it must not be deleted twice.
    for (InitDeviceWidget* page : std::as_const(m_initPages)) {
        if (page == m_currentPage)
            m_currentPage = nullptr;
    }
    qDeleteAll(m_initPages);
    m_initPages.clear();
    delete m_currentPage;
    m_currentPage = nullptr;
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

void QNavigateWidget::InitControls() {
    m_model = new TreeModel(this);
    m_delegate = new TreeDelegate(this);
    m_musicTree = new QMusicTreeNodes(
        m_model, [this](int deviceHandle, int kind) { return CategoryNode(deviceHandle, kind); }, this);
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
    RetranslateActions();
}

void QNavigateWidget::CreateMenus() {
    m_actionNewPlist = new QAction(this);
    m_actionRename = new QAction(this);
    m_actionDelPlist = new QAction(this);
    m_actionNewPhotos = new QAction(this);
    m_actionDelPhotos = new QAction(this);
    m_actionNewContact = new QAction(this);
    m_actionDelContact = new QAction(this);
    connect(m_actionNewPlist, &QAction::triggered, this, &QNavigateWidget::OnActionNewPlist);
    connect(m_actionRename, &QAction::triggered, this, &QNavigateWidget::OnActionRename);
    connect(m_actionDelPlist, &QAction::triggered, this, &QNavigateWidget::OnActionDelPlist);
    connect(m_actionNewPhotos, &QAction::triggered, this, &QNavigateWidget::OnActionNewPhotos);
    connect(m_actionDelPhotos, &QAction::triggered, this, &QNavigateWidget::OnActionDelPhotos);
    connect(m_actionNewContact, &QAction::triggered, this, &QNavigateWidget::OnActionNewContact);
    connect(m_actionDelContact, &QAction::triggered, this, &QNavigateWidget::OnActionDelContact);

    m_playlistMenu = new QMenu(this);
    m_playlistMenu->addAction(m_actionNewPlist);
    m_playlistMenu->addAction(m_actionDelPlist);
    m_albumMenu = new QMenu(this);
    m_groupMenu = new QMenu(this);
    for (QMenu* menu : {m_playlistMenu, m_albumMenu, m_groupMenu})
        menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    RetranslateActions();
}

void QNavigateWidget::RetranslateActions() {
    if (!m_actionNewPlist)
        return;
    m_actionNewPlist->setText(tr("New Playlist"));
    m_actionRename->setText(tr("Rename"));
    m_actionDelPlist->setText(tr("Delete"));
    m_actionNewPhotos->setText(tr("new Album"));
    m_actionDelPhotos->setText(tr("Delete"));
    m_actionNewContact->setText(tr("Greate New Group"));
    m_actionDelContact->setText(tr("Delete"));
}

QString QNavigateWidget::CategoryName(int kind) const {
    switch (kind) {
    case SUB_ITEM_MEDIA:
        return tr("Media");
    case SUB_ITEM_PLAYLIST:
        return tr("Playlist");
    case SUB_ITEM_PHOTOS:
        return tr("Photos");
    case SUB_ITEM_IBOOKS:
        return tr("iBooks");
    case SUB_ITEM_CONTACTS:
        return tr("Contacts");
    case SUB_ITEM_MESSAGES:
        return tr("Messages");
    case SUB_ITEM_APPS:
        return tr("Apps");
    case SUB_ITEM_SYSTEM:
        return tr("System");
    case NODE_VIDEO:
        return tr("Video");
    case NODE_MUSIC:
        return tr("Music");
    default:
        return QString();
    }
}

// ---------------------------------------------------------------------------------------------------
// Device news and pages

void QNavigateWidget::OnDeviceStateChange(int state, int deviceHandle) {
    qDebug("iOS Device state change %d", state);
    if (m_currentView)
        m_currentView->hide();
    m_currentView = nullptr;
    if (m_currentNode) {
        m_currentNode->SetState(NODE_STATE_NORMAL);
        m_model->NodeChanged(m_currentNode);
        m_currentNode = nullptr;
    }
    if (m_currentPage) {
        m_currentPage->hide();
        if (m_currentPage->objectName() == QLatin1String("ConnectWidget"))
            delete m_currentPage;
        m_currentPage = nullptr;
    }

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
        if (auto* page = qobject_cast<ConnectWidget*>(m_currentPage))
            page->ShowTrustPrompt(state == DETECT_IPHONE_PAIRING_FAILED);
        break;
    default:
        break;
    }
}

void QNavigateWidget::ShowPage(int page, int deviceHandle) {
    switch (page) {
    case PAGE_WAITING:
        ShowConnectPage(0);
        break;
    case PAGE_INITIALISING:
        ShowInitPage(deviceHandle);
        break;
    case PAGE_CONNECT_FAILED:
        ShowConnectPage(2);
        break;
    case PAGE_DEVICE:
        ShowInformationPage(deviceHandle);
        break;
    default:
        return;
    }
    if (m_currentPage)
        ShowInContent(m_currentPage);
}

void QNavigateWidget::ShowConnectPage(int connectState) {
    auto* page = new ConnectWidget(this);
    page->setObjectName(QStringLiteral("ConnectWidget"));
    page->setConnectState(connectState);
    ui->m_buttonPanel->SetToolsEnabled(0);
    SetCurrentPage(page);
}

void QNavigateWidget::SetCurrentPage(QWidget* page) {
    // A device event handled inside a wait of this one (removing a device lets events run) may have shown
    // a page meanwhile. The connection pages belong to no device and go with the page that replaces them.
    if (m_currentPage && m_currentPage != page) {
        m_currentPage->hide();
        if (m_currentPage->objectName() == QLatin1String("ConnectWidget"))
            m_currentPage->deleteLater();
    }
    m_currentPage = page;
}

void QNavigateWidget::ShowInitPage(int deviceHandle) {
    // A device announced twice keeps its first page.
    delete m_initPages.take(deviceHandle);
    IVexaManager* manager = CSingleDetectiPhone::Instance()->ManagerOf(deviceHandle);
    auto* page = new InitDeviceWidget(manager, deviceHandle, this);
    page->setObjectName(QStringLiteral("InitDeviceWidget"));
    connect(page, &InitDeviceWidget::initDeviceFinish, this, &QNavigateWidget::OnInitDeviceFinish);
    m_initPages.insert(deviceHandle, page);
    SetCurrentPage(page);
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
            ShowConnectPage(2);
        return;
    }
    auto* page = new QDeviceInformationWidget(manager, this);
    page->setObjectName(QStringLiteral("QDeviceInformationWidget"));
    connect(page, &QDeviceInformationWidget::refreshTreeRootName, this, &QNavigateWidget::RefreshRootNode);
    if (detector->ManagerOf(deviceHandle) != manager) {
        // Removed while the page was being built.
        delete page;
        return;
    }
    SetCurrentPage(page);
    ui->m_buttonPanel->SetToolsEnabled(1);

    // Only the newest device keeps the arrival highlight.
    for (TreeNode* other : m_deviceNodes) {
        if (other->State() == NODE_STATE_HIGHLIGHTED) {
            other->SetState(NODE_STATE_NORMAL);
            m_model->NodeChanged(other);
        }
    }
    const char* name = record->properties[DP_DeviceName];
    TreeNode* node = CreateDeviceNode(name ? QString::fromUtf8(name) : QString(), deviceHandle);
    node->SetBinding({page, nullptr});
    m_deviceNodes.append(node);
    node->SetState(NODE_STATE_HIGHLIGHTED);
    m_model->AppendNode(m_model->Root(), node);
    ui->m_treeView->expand(m_model->IndexOf(node));
    if (TreeNode* media = node->FindChildOfKind(SUB_ITEM_MEDIA))
        ui->m_treeView->expand(m_model->IndexOf(media));
    CreateCategoryViews(manager);
}

TreeNode* QNavigateWidget::CreateDeviceNode(const QString& name, int deviceHandle) {
    auto* device = new TreeNode(NODE_DEVICE, name);
    device->SetDeviceHandle(deviceHandle);
    for (int kind = 0; kind < SUB_ITEM_COUNT; ++kind) {
        auto* category = new TreeNode(kind, CategoryName(kind), device);
        category->SetIcons(QString::fromLatin1(kCategoryImages[kind].icon),
                           QString::fromLatin1(kCategoryImages[kind].selectedIcon));
        category->SetDeviceHandle(deviceHandle);
    }
    TreeNode* media = device->FindChildOfKind(SUB_ITEM_MEDIA);
    auto* video = new TreeNode(NODE_VIDEO, CategoryName(NODE_VIDEO), media);
    video->SetIcons(QString::fromLatin1(kVideoIcon), QString());
    auto* music = new TreeNode(NODE_MUSIC, CategoryName(NODE_MUSIC), media);
    music->SetIcons(QString::fromLatin1(kMusicIcon), QString());
    video->SetDeviceHandle(deviceHandle);
    music->SetDeviceHandle(deviceHandle);
    return device;
}

void QNavigateWidget::CreateCategoryViews(IVexaManager* manager) {
    const int handle = manager->GetDeviceHandle();
    if (!DeviceNode(handle))
        return;
    // A view's constructor may report a missing image in a modal message, whose event loop can deliver
    // the device's removal. Nodes are bound only once every view exists and the device is still here.
    const std::vector<CCategoryViewFactory::Binding> bindings =
        CCategoryViewFactory::CreateAll({manager, handle, this});
    TreeNode* device = DeviceNode(handle);
    if (!device || CSingleDetectiPhone::Instance()->ManagerOf(handle) != manager) {
        for (const CCategoryViewFactory::Binding& binding : bindings)
            delete binding.loader.data();
        for (const CCategoryViewFactory::Binding& binding : bindings)
            delete binding.view.data();
        return;
    }
    for (const CCategoryViewFactory::Binding& binding : bindings) {
        if (TreeNode* node = CategoryNode(handle, binding.kind))
            node->SetBinding({binding.view.data(), binding.loader.data()});
    }
    for (const CCategoryViewFactory::Binding& binding : bindings) {
        if (binding.startAtOnce) {
            SetWaiting(CategoryNode(handle, binding.kind), true);
            binding.startAtOnce();
        }
    }
}

void QNavigateWidget::OnInitDeviceFinish(int deviceHandle) {
    InitDeviceWidget* page = m_initPages.take(deviceHandle);
    // Without its page the device left while it was being initialised; the waiting page stays.
    if (!page)
        return;
    page->hide();
    page->deleteLater();
    if (m_currentPage == page)
        m_currentPage = nullptr;
    OnDeviceStateChange(DETECT_IPHONE_INIT_FINISHED, deviceHandle);
}

void QNavigateWidget::RemoveDevice(int deviceHandle) {
    // Closing the window now would run the teardown twice: the views' waits process events.
    emit emitEnabelCloseBtn(false);
    if (InitDeviceWidget* page = m_initPages.take(deviceHandle)) {
        if (page == m_currentPage)
            m_currentPage = nullptr;
        page->hide();
        page->Halt();
        page->deleteLater();
    }
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
    if (isUnder(m_model->NodeOf(m_pressedIndex)))
        m_pressedIndex = QModelIndex();
}

void QNavigateWidget::DeleteAllView(TreeNode* deviceNode, ViewDeletion deletion) {
    // Unbind everything first: while a view waits for its loader, queued refreshes for this device may
    // still arrive and must find nothing to update.
    QList<QObject*> doomed;
    QObject* systemView = nullptr;
    std::function<void(TreeNode*)> collect = [&](TreeNode* node) {
        const TreeViewBinding binding = node->Binding();
        node->SetBinding({});
        // Loaders first: they report into the views, so they go before them. The system view goes last.
        if (binding.loader && !doomed.contains(binding.loader))
            doomed.prepend(binding.loader);
        if (node->Kind() == SUB_ITEM_SYSTEM)
            systemView = binding.view;
        else if (binding.view && !doomed.contains(binding.view))
            doomed.append(binding.view);
        for (TreeNode* child : node->Children())
            collect(child);
    };
    collect(deviceNode);
    if (systemView && !doomed.contains(systemView))
        doomed.append(systemView);
    for (QObject* object : std::as_const(doomed)) {
        if (object == m_currentView)
            m_currentView = nullptr;
        if (object == m_currentPage)
            m_currentPage = nullptr;
    }
    if (deletion == ViewDeletion::Now) {
        qDeleteAll(doomed);
        return;
    }
    // The removal may arrive inside a modal dialog's event loop that one of these objects opened, or
    // with a timer or queued call of theirs pending. Each is halted now (its job joined, nothing new
    // started, a running batch action stopped), taken off the screen, and deleted by the event loop,
    // which also drops whatever timers and queued calls still point at it.
    for (QObject* object : std::as_const(doomed)) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            for (CActionStrategyDlg* batch : widget->findChildren<CActionStrategyDlg*>())
                batch->StopAction();
            widget->hide();
            ui->m_gridLayout->removeWidget(widget);
        }
        if (auto* job = dynamic_cast<QUtilThread*>(object))
            job->Halt();
        object->disconnect(this);
        object->deleteLater();
    }
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
    if (kind == NODE_VIDEO || kind == NODE_MUSIC)
        return device->FindChildOfKind(SUB_ITEM_MEDIA)->FindChildOfKind(kind);
    return device->FindChildOfKind(kind);
}

void QNavigateWidget::ClickTreeViewItem(const QModelIndex& index) {
    TreeNode* node = NodeOfIndex(index);
    if (!node)
        return;
    m_pressedIndex = index;
    if (node != m_currentNode) {
        if (m_currentNode) {
            m_currentNode->SetState(NODE_STATE_NORMAL);
            m_model->NodeChanged(m_currentNode);
        }
        if (m_currentView)
            m_currentView->hide();
        m_currentNode = node;
        node->SetState(NODE_STATE_SELECTED);
        qDebug() << "Select row is :" << index.row();
    }
    if (QWidget* view = node->Binding().view)
        ShowInContent(view);
    m_musicTree->OnNodePressed(node);
    StartLoader(node);
    m_model->NodeChanged(node);
    ui->m_treeView->viewport()->update();
    node->IncrementPressCount();
}

void QNavigateWidget::StartLoader(TreeNode* node) {
    const TreeViewBinding binding = node->Binding();
    bool start = false;
    switch (node->Kind()) {
    case SUB_ITEM_MEDIA: {
        const TreeNode* video = node->FindChildOfKind(NODE_VIDEO);
        start = node->PressCount() == 0 && (!video || video->PressCount() == 0);
        break;
    }
    case NODE_VIDEO:
        start = node->PressCount() == 0 && node->Parent()->PressCount() == 0;
        break;
    case NODE_MUSIC:
    case SUB_ITEM_APPS:
    case SUB_ITEM_PHOTOS:
    case SUB_ITEM_CONTACTS:
    case SUB_ITEM_MESSAGES:
    case SUB_ITEM_SYSTEM:
    case SUB_ITEM_IBOOKS:
        start = node->PressCount() == 0;
        break;
    default:
        break;
    }
    if (!start)
        return;
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

void QNavigateWidget::SetWaiting(TreeNode* node, bool waiting) {
    const QModelIndex index = m_model->IndexOf(node);
    if (!index.isValid())
        return;
    if (!waiting) {
        ui->m_treeView->setIndexWidget(index, nullptr);
        return;
    }
    if (ui->m_treeView->indexWidget(index))
        return;
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("m_waitLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setStyleSheet(QStringLiteral("QLabel{background:transparent;padding-right:6px;}"));
    auto* movie = new QMovie(ResourceRoot() + QStringLiteral("/image/details/wait.gif"), QByteArray(), label);
    label->setMovie(movie);
    movie->start();
    ui->m_treeView->setIndexWidget(index, label);
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
// Counts

void QNavigateWidget::ShowCount(int deviceHandle, int kind, int count) {
    TreeNode* node = CategoryNode(deviceHandle, kind);
    if (!node)
        return;
    node->SetText(QStringLiteral("%1 (%2)").arg(CategoryName(kind)).arg(count));
    SetWaiting(node, false);
    m_model->NodeChanged(node);
}

void QNavigateWidget::RefreshVideoNode(int deviceHandle, QVideoView* view) {
    if (!view)
        return;
    ShowCount(deviceHandle, NODE_VIDEO, view->RecordCount());
    SetWaiting(CategoryNode(deviceHandle, SUB_ITEM_MEDIA), false);
}

void QNavigateWidget::RefreshMusicNode(int deviceHandle, QMusicView* view) {
    if (view)
        ShowCount(deviceHandle, NODE_MUSIC, view->RecordCount());
}

void QNavigateWidget::RefreshPhotosNode(int deviceHandle) {
    TreeNode* node = CategoryNode(deviceHandle, SUB_ITEM_PHOTOS);
    if (auto* view = node ? qobject_cast<QBaseDetailsView*>(node->Binding().view) : nullptr)
        ShowCount(deviceHandle, SUB_ITEM_PHOTOS, view->RecordCount());
}

void QNavigateWidget::RefreshiBookNode(int deviceHandle) {
    TreeNode* node = CategoryNode(deviceHandle, SUB_ITEM_IBOOKS);
    auto* loader = node ? qobject_cast<QiBookAnalysisThread*>(node->Binding().loader) : nullptr;
    if (!loader)
        return;
    if (auto* view = qobject_cast<QiBookView*>(node->Binding().view))
        view->ShowBookCount(loader->RecordCount(), loader->LastLoadListed());
    ShowCount(deviceHandle, SUB_ITEM_IBOOKS, loader->RecordCount());
}

void QNavigateWidget::RefreshContactsNode(int deviceHandle) {
    TreeNode* node = CategoryNode(deviceHandle, SUB_ITEM_CONTACTS);
    auto* view = node ? qobject_cast<QContactsView*>(node->Binding().view) : nullptr;
    if (!view)
        return;
    ShowCount(deviceHandle, SUB_ITEM_CONTACTS, view->RecordCount());
    // The groups hang under the category, where their context menu offers the group actions.
    const QModelIndex index = m_model->IndexOf(node);
    for (TreeNode* child : node->Children())
        ForgetNodesUnder(child);
    m_model->RemoveChildren(node);
    for (const QString& name : view->GroupNames()) {
        auto* group = new TreeNode(NODE_GROUP, name);
        group->SetIcons(QString::fromLatin1(kCategoryImages[SUB_ITEM_CONTACTS].icon), QString());
        group->SetDeviceHandle(deviceHandle);
        group->SetBinding(node->Binding());
        m_model->AppendNode(node, group);
    }
    if (node->IsExpanded())
        ui->m_treeView->expand(index);
}

void QNavigateWidget::RefreshMessageNode(int deviceHandle) {
    TreeNode* node = CategoryNode(deviceHandle, SUB_ITEM_MESSAGES);
    if (auto* view = node ? qobject_cast<QBaseDetailsView*>(node->Binding().view) : nullptr)
        ShowCount(deviceHandle, SUB_ITEM_MESSAGES, view->RecordCount());
}

void QNavigateWidget::RefreshAppNode(int deviceHandle) {
    TreeNode* node = CategoryNode(deviceHandle, SUB_ITEM_APPS);
    if (auto* view = node ? qobject_cast<QBaseDetailsView*>(node->Binding().view) : nullptr)
        ShowCount(deviceHandle, SUB_ITEM_APPS, view->RecordCount());
}

void QNavigateWidget::RefreshSystemNode() {}

void QNavigateWidget::RefreshPlayList(IVexaManager*, int, QPlayAnalysisTread* loader) {
    TreeNode* playlist = loader ? CategoryNode(loader->DeviceHandle(), SUB_ITEM_PLAYLIST) : nullptr;
    if (!playlist || playlist->Binding().loader != loader)
        return;
    const QModelIndex parentIndex = m_model->IndexOf(playlist);
    for (TreeNode* child : playlist->Children())
        ForgetNodesUnder(child);
    m_musicTree->Rebuild(playlist, loader);
    SetWaiting(playlist, false);
    if (playlist->IsExpanded())
        ui->m_treeView->expand(parentIndex);
}

void QNavigateWidget::repaintTreeView(int deviceHandle, int, tagDeviceSubItem item) {
    if (TreeNode* node = CategoryNode(deviceHandle, item))
        m_model->NodeChanged(node);
}

void QNavigateWidget::RefreshRootNode(const QString& name, int deviceHandle) {
    if (TreeNode* node = DeviceNode(deviceHandle)) {
        node->SetText(name);
        m_model->NodeChanged(node);
    }
}

// ---------------------------------------------------------------------------------------------------
// Context menus

QMenu* QNavigateWidget::PrepareTreeMenu(const QModelIndex& index) {
    TreeNode* node = NodeOfIndex(index);
    TreeNode* parent = node ? node->Parent() : nullptr;
    if (!parent)
        return nullptr;
    m_pressedIndex = index;
    if (parent->Kind() == SUB_ITEM_PLAYLIST && node->ChildCount() == 0)
        return m_playlistMenu;
    if (parent->Kind() == SUB_ITEM_PHOTOS) {
        const bool editable = !kProtectedAlbums.contains(node->Text());
        m_albumMenu->clear();
        m_albumMenu->addAction(m_actionNewPhotos);
        m_albumMenu->addAction(m_actionRename);
        m_albumMenu->addAction(m_actionDelPhotos);
        m_actionRename->setEnabled(editable);
        m_actionDelPhotos->setEnabled(editable);
        return m_albumMenu;
    }
    if (parent->Kind() == SUB_ITEM_CONTACTS) {
        const bool editable = !kProtectedGroups.contains(node->Text());
        m_groupMenu->clear();
        m_groupMenu->addAction(m_actionNewContact);
        m_groupMenu->addAction(m_actionRename);
        m_groupMenu->addAction(m_actionDelContact);
        m_actionRename->setEnabled(editable);
        m_actionDelContact->setEnabled(editable);
        return m_groupMenu;
    }
    return nullptr;
}

void QNavigateWidget::showDeviceTreeMenu(const QPoint& pos) {
    if (QMenu* menu = PrepareTreeMenu(ui->m_treeView->indexAt(pos)))
        menu->exec(ui->m_treeView->viewport()->mapToGlobal(pos));
}

void QNavigateWidget::OnActionNewPlist() {
    if (TreeNode* node = NodeOfIndex(m_pressedIndex))
        m_musicTree->NewPlaylist(node->DeviceHandle());
}

void QNavigateWidget::OnActionRename() {
    if (!m_pressedIndex.isValid())
        return;
    ui->m_treeView->setCurrentIndex(m_pressedIndex);
    ui->m_treeView->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QCoreApplication::sendEvent(ui->m_treeView, &press);
}

void QNavigateWidget::OnActionDelPlist() {
    TreeNode* node = NodeOfIndex(m_pressedIndex);
    if (!node || node->Kind() != NODE_PLAYLIST)
        return;
    // A refused delete shows a message, whose event loop may remove the device and this node.
    const int row = node->Row();
    m_musicTree->DeletePlaylist(node);
    emit DeletePlayList(row);
}

void QNavigateWidget::ForwardToView(int categoryKind, const char* slot) {
    TreeNode* node = NodeOfIndex(m_pressedIndex);
    TreeNode* category = node ? CategoryNode(node->DeviceHandle(), categoryKind) : nullptr;
    QWidget* view = category ? category->Binding().view : nullptr;
    if (!view || !QMetaObject::invokeMethod(view, slot, Qt::DirectConnection, Q_ARG(QString, node->Text())))
        qDebug() << "QNavigateWidget::ForwardToView" << slot << "is not offered by this view";
}

void QNavigateWidget::OnActionNewPhotos() {
    ForwardToView(SUB_ITEM_PHOTOS, "OnNewAlbum");
}

void QNavigateWidget::OnActionDelPhotos() {
    ForwardToView(SUB_ITEM_PHOTOS, "OnDeleteAlbum");
}

void QNavigateWidget::OnActionNewContact() {
    ForwardToView(SUB_ITEM_CONTACTS, "OnNewGroup");
}

void QNavigateWidget::OnActionDelContact() {
    ForwardToView(SUB_ITEM_CONTACTS, "OnDeleteGroup");
}

// ---------------------------------------------------------------------------------------------------
// Home tools

void QNavigateWidget::OnClickPc() {
    auto* view = qobject_cast<QBaseDetailsView*>(m_currentView);
    if (!view)
        return;
    int fileKind = 0;
    const CExportRoute::Kind route = CExportRoute::For(view->objectName(), &fileKind);
    if (route == CExportRoute::Kind::RecordFile) {
        QRecordExportDialog::RunChecked(view, view, view->HasCheckedChunk());
        return;
    }
    if (route == CExportRoute::Kind::PhotoBrowser && QMetaObject::invokeMethod(view, "OnBtnExport"))
        return;
    if (view->SelectedCount() == 0) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    if (route == CExportRoute::Kind::FileFolder) {
        QFileFolderExport::RunChecked(view, view, view->Manager(), fileKind, true);
        return;
    }
    qDebug() << "QNavigateWidget::OnClickPc no export for" << view->objectName() << "yet";
}

void QNavigateWidget::OnClickToDevice() {
    CBackupToolLauncher::OpenTransfer(this);
}

void QNavigateWidget::OnClickiTunes() {
    auto* view = qobject_cast<QBaseDetailsView*>(m_currentView);
    if (!view)
        return;
    static const QStringList mediaViews = {QStringLiteral("QVideoView"), QStringLiteral("QMusicView"),
                                           QStringLiteral("QPlayListView")};
    static const QStringList refusedViews = {QStringLiteral("PhotoView"), QStringLiteral("QiBookView"),
                                             QStringLiteral("QAppsView")};
    if (refusedViews.contains(view->objectName())) {
        ShowMessage(tr("Sorry!\nYou can't transfer data in that type to iTunes."));
        return;
    }
    if (!mediaViews.contains(view->objectName()))
        return;
    if (view->SelectedCount() == 0)
        ShowMessage(tr("Please choose one or more items first!"));
    else
        QMetaObject::invokeMethod(view, view->objectName() == QLatin1String("QPlayListView") ? "ToiThunes"
                                                                                            : "OnItemToiTunes");
}

void QNavigateWidget::OnClickBackup() {
    CBackupToolLauncher::OpenBackup(this);
}

void QNavigateWidget::OnClickRestore() {
    CBackupToolLauncher::OpenRestore(this);
}

void QNavigateWidget::OnClickTools() {
    ToolWidget tools(this);
    connect(&tools, &ToolWidget::BtnSenderEmit, this, &QNavigateWidget::ToolBtnClick);
    tools.exec();
}

void QNavigateWidget::ToolBtnClick(QImageButton* button) {
    if (button && CBackupToolLauncher::OpenTool(button->objectName(), this))
        return;
    if (!QProcess::startDetached(ResourceRoot() + QStringLiteral("//TestModification"), {}))
        ShowMessage(tr("本页功能暂不可用"));
}

void QNavigateWidget::OnClickHelp() {
    const QString help = ResourceRoot() + QStringLiteral("/Vexa Transfer help.html");
    if (!QDesktopServices::openUrl(QUrl(QStringLiteral("file:///") + QFileInfo(help).absoluteFilePath())))
        qDebug() << "QNavigateWidget::OnClickHelp cannot open" << help;
}

// ---------------------------------------------------------------------------------------------------

void QNavigateWidget::OnLanguageChanged() {
    for (TreeNode* device : m_deviceNodes) {
        QList<TreeNode*> nodes = device->Children();
        if (TreeNode* media = device->FindChildOfKind(SUB_ITEM_MEDIA))
            nodes += media->Children();
        for (TreeNode* node : nodes) {
            node->SetText(CategoryName(node->Kind()) + CountSuffix(node->Text()));
            m_model->NodeChanged(node);
        }
    }
    RetranslateActions();
    m_model->ClearIconCache();
    ui->m_treeTitle->setPixmap(QPixmap(ResourceRoot() + QStringLiteral("/image/tree_title.png")));
    ui->m_help->SetImages(ResourceRoot() + QStringLiteral("/image/btn_help.png"));
    ui->m_treeView->viewport()->update();
}
