#include "CTreeFolderRefresh.h"

#include <algorithm>
#include <set>

#include <QTreeView>

#include <vexa/VexaResult.h>

#include "CDeviceFileItem.h"
#include "QSystemfileTreeModel.h"

CTreeFolderRefresh::CTreeFolderRefresh(QTreeView* tree, QSystemfileTreeModel* model)
    : m_tree(tree)
    , m_model(model) {}

CDeviceFileItem* CTreeFolderRefresh::Refresh(CDeviceFileItem* root, CDeviceFileItem* target, bool* complete) {
    std::vector<std::string> open = ExpandedPaths(root);
    const std::set<std::string> openSet(open.begin(), open.end());
    const auto isOpen = [&openSet](const std::string& path) { return openSet.count(path) != 0; };

    m_model->BeginChange();
    bool read = target->RefreshOpen(isOpen);
    // A folder that vanished is refreshed through its parent, which no longer lists it.
    while (!target->IsLoaded() && target->ReadError() == VEXA_E_NOT_FOUND &&
           target->ParentItem() != nullptr) {
        target = target->ParentItem();
        read = target->RefreshOpen(isOpen);
    }
    m_model->EndChange();

    std::sort(open.begin(), open.end(),
              [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    for (const std::string& path : open) {
        CDeviceFileItem* folder = root->FindDescendant(path);
        if (folder != nullptr && folder->HasReadChildren()) {
            m_tree->expand(m_model->IndexOf(folder));
        }
    }
    if (complete != nullptr) {
        *complete = read;
    }
    return target;
}

std::vector<std::string> CTreeFolderRefresh::ExpandedPaths(CDeviceFileItem* root) const {
    std::vector<std::string> paths;
    std::vector<CDeviceFileItem*> pending;
    if (root != nullptr) {
        pending.push_back(root);
    }
    while (!pending.empty()) {
        CDeviceFileItem* folder = pending.back();
        pending.pop_back();
        if (!m_tree->isExpanded(m_model->IndexOf(folder))) {
            continue;
        }
        paths.push_back(folder->GetPath());
        for (int i = 0; i < folder->GetFolderCount(); ++i) {
            pending.push_back(folder->GetFolder(i));
        }
    }
    return paths;
}
