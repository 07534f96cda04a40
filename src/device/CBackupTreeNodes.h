#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>

#include "TreeNode.h"

class TreeModel;

// The "Backups" group of the navigation tree: one node for each backup the program knows (its backup
// log and the folders the user added), which opens the backup as a device when pressed.
class CBackupTreeNodes {
    Q_DECLARE_TR_FUNCTIONS(CBackupTreeNodes)
public:
    explicit CBackupTreeNodes(TreeModel* model);

    TreeNode* Group() const { return m_group; }
    // Lists the known backups again. `forget` is called for each node before it goes.
    template <typename Forget> void Refresh(Forget forget);
    // The folder of a backup node; empty for any other node.
    QString FolderOf(const TreeNode* node) const { return m_folders.value(node); }
    void Retranslate();

    // "Anna's iPhone, 2026-12-01 09:30": what a backup is called in the tree.
    static QString Caption(const QString& deviceName, const QString& dateTime, const QString& folder);

private:
    void Rebuild();

    TreeModel* m_model;
    TreeNode* m_group = nullptr;
    QHash<const TreeNode*, QString> m_folders;
};

template <typename Forget> void CBackupTreeNodes::Refresh(Forget forget) {
    for (TreeNode* child : m_group->Children())
        forget(child);
    Rebuild();
}
