#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QPixmap>

#include "TreeNode.h"

// The navigation tree's model over a TreeNode hierarchy. The model owns the invisible root and so
// every node; structural changes go through it so the view keeps its expansion and index widgets.
class TreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int StateRole = Qt::UserRole + 1;

    explicit TreeModel(QObject* parent = nullptr);
    ~TreeModel() override;

    TreeNode* Root() const { return m_root; }
    TreeNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const TreeNode* node) const;

    void AppendNode(TreeNode* parent, TreeNode* node);
    void RemoveNode(TreeNode* node);
    void RemoveChildren(TreeNode* parent);
    // Redraws one node after its text, icon or state changed.
    void NodeChanged(const TreeNode* node);
    // Icons are loaded from the resource root; a language switch may point it elsewhere.
    void ClearIconCache() { m_icons.clear(); }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A node was renamed in place by the user.
    void nodeRenamed(TreeNode* node, const QString& oldText);

private:
    QPixmap IconPixmap(const QString& relativePath) const;

    TreeNode* m_root;
    mutable QHash<QString, QPixmap> m_icons;
};
