#pragma once

#include <QTreeView>

// The navigation tree: no header, hover tracking for the highlight, its own context menu.
class TreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);

    // Shows or takes away the waiting animation beside the node at `index` while its category loads.
    void SetWaiting(const QModelIndex& index, bool waiting);
};
