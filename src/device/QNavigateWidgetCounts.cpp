// The navigation's category nodes as their pages finish loading: counts in the names, the contact
// groups and playlists under their categories.
#include "QNavigateWidget.h"

#include "CDeviceTreeNodes.h"
#include "QBaseDetailsView.h"
#include "QContactsView.h"
#include "QMusicTreeNodes.h"
#include "QMusicView.h"
#include "QPlayAnalysisTread.h"
#include "QVideoView.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"
#include "ui_QNavigateWidget.h"

void QNavigateWidget::ShowCount(int deviceHandle, int kind, int count) {
    TreeNode* node = CategoryNode(deviceHandle, kind);
    if (!node)
        return;
    // A page the device cannot fill has no count: 0 would say the device holds nothing.
    const auto* view = qobject_cast<const QBaseDetailsView*>(node->Binding().view);
    node->SetText(view && view->IsUnavailable() ? CDeviceTreeNodes::CategoryName(kind)
                                                : CDeviceTreeNodes::CountedName(kind, count));
    SetWaiting(node, false);
    m_model->NodeChanged(node);
}

void QNavigateWidget::ShowViewCount(int deviceHandle, int kind) {
    TreeNode* node = CategoryNode(deviceHandle, kind);
    if (auto* view = node ? qobject_cast<QBaseDetailsView*>(node->Binding().view) : nullptr)
        ShowCount(deviceHandle, kind, view->RecordCount());
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
    ShowViewCount(deviceHandle, SUB_ITEM_PHOTOS);
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
    for (const QString& name : view->GroupNames())
        m_model->AppendNode(node, CDeviceTreeNodes::CreateGroup(name, node));
    if (node->IsExpanded())
        ui->m_treeView->expand(index);
}

void QNavigateWidget::RefreshMessageNode(int deviceHandle) {
    ShowViewCount(deviceHandle, SUB_ITEM_MESSAGES);
}

void QNavigateWidget::RefreshCallsNode(int deviceHandle) {
    ShowViewCount(deviceHandle, SUB_ITEM_CALLS);
}

void QNavigateWidget::RefreshAppNode(int deviceHandle) {
    ShowViewCount(deviceHandle, SUB_ITEM_APPS);
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
