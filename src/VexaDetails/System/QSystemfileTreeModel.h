#pragma once

#include <QAbstractItemModel>

#include "CFileTypeIcons.h"

class CDeviceFileItem;

// The folder tree: the root entry is the one top-level row and below each folder its sub-folders
// (files are left to the table). A folder's list is read from the device when the tree first needs it
// (fetchMore), so a large device opens with one listing.
class QSystemfileTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit QSystemfileTreeModel(QObject* parent = nullptr);

    // Shows `root` (not owned; null empties the tree).
    void SetRoot(CDeviceFileItem* root);
    CDeviceFileItem* Root() const { return m_root; }
    CDeviceFileItem* ItemOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const CDeviceFileItem* item) const;
    // Call around changes of the items' children made outside the model.
    void BeginChange() { beginResetModel(); }
    void EndChange() { endResetModel(); }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A folder's list could not be read (the device's result code).
    void readFailed(const QString& path, int result);

private:
    CDeviceFileItem* m_root = nullptr;
    // The folder whose list is being read: it still shows its old (empty) row count meanwhile.
    const CDeviceFileItem* m_fetching = nullptr;
    mutable CFileTypeIcons m_icons;
};
