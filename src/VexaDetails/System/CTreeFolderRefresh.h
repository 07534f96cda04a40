#pragma once

#include <string>
#include <vector>

class CDeviceFileItem;
class QSystemfileTreeModel;
class QTreeView;

// Reads a folder of the device's tree again while the folders open in the tree view stay open: the
// ones still there are read again too and reopened, in the order they were opened from the root.
class CTreeFolderRefresh {
public:
    CTreeFolderRefresh(QTreeView* tree, QSystemfileTreeModel* model);

    // Reads `target` below `root` again - or, when it vanished, the nearest parent still there - and
    // returns the folder that was read. `complete` tells whether everything could be read.
    CDeviceFileItem* Refresh(CDeviceFileItem* root, CDeviceFileItem* target, bool* complete);

private:
    // The paths of the folders open in the tree, the root first.
    std::vector<std::string> ExpandedPaths(CDeviceFileItem* root) const;

    QTreeView* m_tree;
    QSystemfileTreeModel* m_model;
};
