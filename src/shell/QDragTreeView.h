#pragma once

#include <QStringList>
#include <QTreeView>

// A tree view whose drags are started by the view that owns it (doStartDrag), since the entries
// it shows live on the device, and that hands files dropped from the computer on as paths.
class QDragTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit QDragTreeView(QWidget* parent = nullptr);

signals:
    void doStartDrag(Qt::DropActions supportedActions);
    // `target` is the index under the drop (invalid over empty space).
    void filesDropped(const QStringList& localPaths, const QModelIndex& target);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
