#pragma once

#include <memory>

#include <QList>
#include <QModelIndex>
#include <QWidget>

#include "DeviceSubItem.h"
#include "ICategoryTree.h"
#include "IDetectiPhoneCallback.h"
#include "INavigate.h"

namespace Ui {
class QNavigateWidget;
}

class CBackupTreeNodes;
class CDevicePages;
class QContactsView;
class IVexaManager;
class QDeviceTreeMenus;
class QAbstractButton;
class QImageButton;
class QMenu;
class QMusicTreeNodes;
class QMusicView;
class QPlayAnalysisTread;
class QVideoView;
class TreeDelegate;
class TreeModel;
class TreeNode;
class TreeView;

// The left part of the main window: the device tree, the page or category view beside it and the home
// tools. It turns the detector's news into pages, device nodes and category views, and tears a device's
// views down before its manager is released. The category nodes' counts live in
// QNavigateWidgetCounts.cpp, the home buttons in QNavigateWidgetTools.cpp.
class QNavigateWidget : public QWidget, public INavigate, public IDetectiPhoneCallback, public ICategoryTree {
    Q_OBJECT
public:
    explicit QNavigateWidget(QWidget* parent = nullptr);
    ~QNavigateWidget() override;

    void ShowPage(int page, int deviceHandle) override;
    void OnDeviceStateChange(int state, int deviceHandle) override;

    TreeModel* Model() const { return m_model; }
    TreeView* Tree() const;
    QList<TreeNode*> DeviceNodes() const { return m_deviceNodes; }
    TreeNode* DeviceNode(int deviceHandle) const;
    QWidget* CurrentPage() const;
    // What the right side shows: a page or a category view.
    QWidget* CurrentView() const { return m_currentView; }
    QMusicTreeNodes* MusicTree() const override { return m_musicTree; }
    // The context menu for the node, with its actions enabled as they apply, or null when the node
    // has none.
    QMenu* PrepareTreeMenu(const QModelIndex& index);
    // The contacts page of the device the user works with: the pressed node's, else the first
    // device's; null without a device.
    QContactsView* CurrentContacts() const;
    // After a restore: the category on screen loads again, the others on their next press.
    void ReloadCategories();

public slots:
    void ClickTreeViewItem(const QModelIndex& index);
    void EnterTreeViewItem(const QModelIndex& index);
    void DoubleClickTreeViewItem(const QModelIndex& index);
    void OnTreeItemExpanded(const QModelIndex& index);
    void OnTreeItemCollapsed(const QModelIndex& index);
    void showDeviceTreeMenu(const QPoint& pos);
    void OnActionNewPlist();
    void OnActionRename();
    void OnActionDelPlist();
    void OnActionNewPhotos();
    void OnActionDelPhotos();
    void OnActionNewContact();
    void OnActionDelContact();
    void OnClickPc();
    void OnClickToDevice();
    void OnClickiTunes();
    void OnClickBackup();
    void OnClickRestore();
    void OnClickTools();
    void OnClickHelp();
    // Asks for a backup folder and opens it as a device (the tool row's button and Ctrl+O).
    void OnClickOpenBackup();
    void ToolBtnClick(QImageButton* button);
    void OnInitDeviceFinish(int deviceHandle);
    void RefreshRootNode(const QString& name, int deviceHandle);
    void RefreshVideoNode(int deviceHandle, QVideoView* view) override;
    void RefreshMusicNode(int deviceHandle, QMusicView* view) override;
    void RefreshPhotosNode(int deviceHandle) override;
    void RefreshiBookNode(int deviceHandle) override;
    void RefreshContactsNode(int deviceHandle) override;
    void RefreshMessageNode(int deviceHandle) override;
    void RefreshCallsNode(int deviceHandle) override;
    void RefreshAppNode(int deviceHandle) override;
    void RefreshSystemNode() override;
    void StopWaiting(int deviceHandle, int kind) override;
    void RefreshPlayList(IVexaManager* manager, int libraryKind, QPlayAnalysisTread* loader) override;
    void repaintTreeView(int deviceHandle, int row, tagDeviceSubItem item) override;
    void OpenAppDocuments(int deviceHandle, const QString& appId) override;
    void ShowUncounted(int deviceHandle, int kind) override;
    void OnLanguageChanged();

signals:
    // A playlist named `name` was made on the device; its playlist loader takes the name.
    void NewPlayList(int deviceHandle, const QString& name);
    void DeletePlayList(int row);
    void emitEnabelCloseBtn(bool enable);

private:
    void InitControls();
    void ShowInformationPage(int deviceHandle);
    void CreateCategoryViews(IVexaManager* manager);
    void RemoveDevice(int deviceHandle);
    // The removal of one of several devices; false when no other device is shown, and the removal is
    // left to the usual path that returns to the waiting screen.
    bool OnDeviceGoneBesideOthers(int deviceHandle);
    // Now: from the destructor, where no dialog or job of the views can be running. Later: a removed
    // device, whose views may be on the stack under a nested event loop.
    enum class ViewDeletion { Now, Later };
    void DeleteAllView(TreeNode* deviceNode, ViewDeletion deletion);
    void ForgetNodesUnder(TreeNode* deviceNode);
    void ShowInContent(QWidget* widget);
    void StartLoader(TreeNode* node);
    void AddPlaylistName(int deviceHandle, const QString& name);
    void SetWaiting(TreeNode* node, bool waiting);
    void ShowCount(int deviceHandle, int kind, int count);
    // The count of the category's page, once it has one.
    void ShowViewCount(int deviceHandle, int kind);
    TreeNode* CategoryNode(int deviceHandle, int kind) const;
    TreeNode* NodeOfIndex(const QModelIndex& index) const;
    void OpenKnownBackup(const QString& folder);
    // The menu of a backup's device node: closing it.
    bool ShowBackupMenu(TreeNode* node, const QPoint& pos);

    std::unique_ptr<Ui::QNavigateWidget> ui;
    TreeModel* m_model = nullptr;
    TreeDelegate* m_delegate = nullptr;
    QMusicTreeNodes* m_musicTree = nullptr;
    QDeviceTreeMenus* m_menus = nullptr;
    std::unique_ptr<CDevicePages> m_pages;
    std::unique_ptr<CBackupTreeNodes> m_backups;
    QAbstractButton* m_openBackup = nullptr;
    QList<TreeNode*> m_deviceNodes;
    QWidget* m_currentView = nullptr;
    TreeNode* m_currentNode = nullptr;
    TreeNode* m_hoverNode = nullptr;
};
