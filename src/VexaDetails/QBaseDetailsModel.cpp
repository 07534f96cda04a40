#include "QBaseDetailsModel.h"

#include <unordered_map>

#include <QColor>

#include "IBaseChunk.h"

QBaseDetailsModel::QBaseDetailsModel(QObject* parent)
    : QAbstractItemModel(parent) {}

void QBaseDetailsModel::SetChunkList(std::list<IBaseChunk*>* list) {
    beginResetModel();
    m_list = list;
    RebuildRows();
    endResetModel();
}

void QBaseDetailsModel::SetHeaderLabels(const QStringList& labels) {
    beginResetModel();
    m_labels = labels;
    endResetModel();
}

void QBaseDetailsModel::Reset() {
    beginResetModel();
    RebuildRows();
    endResetModel();
}

void QBaseDetailsModel::RebuildRows() {
    m_rows.clear();
    if (m_list)
        m_rows.assign(m_list->begin(), m_list->end());
    OrderRows(m_rows);
}

void QBaseDetailsModel::Reorder() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList kept = persistentIndexList();
    OrderRows(m_rows);
    std::unordered_map<const IBaseChunk*, int> rowOf;
    rowOf.reserve(m_rows.size());
    for (size_t row = 0; row < m_rows.size(); ++row)
        rowOf.emplace(m_rows[row], int(row));
    QModelIndexList moved;
    moved.reserve(kept.size());
    for (const QModelIndex& index : kept) {
        const auto found = rowOf.find(static_cast<const IBaseChunk*>(index.internalPointer()));
        moved.append(found == rowOf.end()
                         ? QModelIndex()
                         : createIndex(found->second, index.column(), m_rows[size_t(found->second)]));
    }
    changePersistentIndexList(kept, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

IBaseChunk* QBaseDetailsModel::ChunkAt(int row) const {
    if (row < 0 || size_t(row) >= m_rows.size())
        return nullptr;
    return m_rows[size_t(row)];
}

QModelIndex QBaseDetailsModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column < 0 || column >= columnCount())
        return {};
    IBaseChunk* chunk = ChunkAt(row);
    return chunk ? createIndex(row, column, chunk) : QModelIndex();
}

QModelIndex QBaseDetailsModel::parent(const QModelIndex&) const {
    return {};
}

int QBaseDetailsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QBaseDetailsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_labels.size());
}

QVariant QBaseDetailsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::ForegroundRole)
        return QColor(15, 67, 76);
    if (role == Qt::CheckStateRole && index.column() == 0) {
        auto* chunk = static_cast<IBaseChunk*>(index.internalPointer());
        return chunk->IsChecked() ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool QBaseDetailsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (index.isValid() && m_list && role == Qt::CheckStateRole && index.column() == 0) {
        // A click always flips the mark, whatever state the view proposes.
        auto* chunk = static_cast<IBaseChunk*>(index.internalPointer());
        chunk->SetChecked(!chunk->IsChecked());
        emit dataChanged(index, index, {Qt::CheckStateRole});
        emit itemCehckChange(chunk->IsChecked());
        return true;
    }
    return QAbstractItemModel::setData(index, value, role);
}

Qt::ItemFlags QBaseDetailsModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsDropEnabled | Qt::ItemIsEnabled;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    if (m_dragEnabled)
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QVariant QBaseDetailsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_labels.size())
        return m_labels.at(section);
    return {};
}
