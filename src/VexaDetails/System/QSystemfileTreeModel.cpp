#include "QSystemfileTreeModel.h"

#include "CDeviceFileItem.h"

QSystemfileTreeModel::QSystemfileTreeModel(QObject* parent)
    : QAbstractItemModel(parent) {}

void QSystemfileTreeModel::SetRoot(CDeviceFileItem* root) {
    beginResetModel();
    m_root = root;
    endResetModel();
}

CDeviceFileItem* QSystemfileTreeModel::ItemOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<CDeviceFileItem*>(index.internalPointer()) : nullptr;
}

QModelIndex QSystemfileTreeModel::IndexOf(const CDeviceFileItem* item) const {
    if (item == nullptr || m_root == nullptr) {
        return {};
    }
    if (item == m_root) {
        return createIndex(0, 0, m_root);
    }
    if (item->FolderRow() < 0 || item->ParentItem() == nullptr) {
        return {};
    }
    return createIndex(item->FolderRow(), 0, const_cast<CDeviceFileItem*>(item));
}

QModelIndex QSystemfileTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (m_root == nullptr || column != 0 || row < 0) {
        return {};
    }
    if (!parent.isValid()) {
        return row == 0 ? createIndex(0, 0, m_root) : QModelIndex();
    }
    const CDeviceFileItem* folder = ItemOf(parent);
    if (folder == m_fetching || row >= folder->GetFolderCount()) {
        return {};
    }
    return createIndex(row, 0, folder->GetFolder(row));
}

QModelIndex QSystemfileTreeModel::parent(const QModelIndex& child) const {
    const CDeviceFileItem* item = ItemOf(child);
    if (item == nullptr || item == m_root) {
        return {};
    }
    return IndexOf(item->ParentItem());
}

int QSystemfileTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return m_root != nullptr ? 1 : 0;
    }
    if (parent.column() != 0) {
        return 0;
    }
    const CDeviceFileItem* folder = ItemOf(parent);
    return folder == m_fetching ? 0 : folder->GetFolderCount();
}

int QSystemfileTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool QSystemfileTreeModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return m_root != nullptr;
    }
    const CDeviceFileItem* folder = ItemOf(parent);
    // An unread folder may have sub-folders: it offers to open, and learns on opening.
    if (folder->IsDirectory() && !folder->HasReadChildren()) {
        return folder->ReadError() == 0;
    }
    return folder->GetFolderCount() > 0;
}

bool QSystemfileTreeModel::canFetchMore(const QModelIndex& parent) const {
    const CDeviceFileItem* folder = ItemOf(parent);
    return folder != nullptr && folder->IsDirectory() && !folder->HasReadChildren() &&
           folder->ReadError() == 0;
}

void QSystemfileTreeModel::fetchMore(const QModelIndex& parent) {
    CDeviceFileItem* folder = ItemOf(parent);
    if (!canFetchMore(parent)) {
        return;
    }
    m_fetching = folder;
    const bool read = folder->ReadChildren();
    const int count = folder->GetFolderCount();
    if (count > 0) {
        beginInsertRows(parent, 0, count - 1);
        m_fetching = nullptr;
        endInsertRows();
    } else {
        m_fetching = nullptr;
        // The expander goes away: the folder turned out to hold no folders, or could not be read.
        emit dataChanged(parent, parent);
    }
    if (!read) {
        emit readFailed(QString::fromStdString(folder->GetPath()), folder->ReadError());
    }
}

QVariant QSystemfileTreeModel::data(const QModelIndex& index, int role) const {
    const CDeviceFileItem* item = ItemOf(index);
    if (item == nullptr) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(role == Qt::DisplayRole ? item->GetName() : item->GetPath());
    case Qt::DecorationRole:
        return m_icons.Folder();
    default:
        return {};
    }
}

Qt::ItemFlags QSystemfileTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
}
