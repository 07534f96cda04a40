#include "BackupModel.h"

#include <algorithm>

#include "QProUtil.h"
#include "RestoreTableModel.h"

BackupModel::BackupModel(QObject* parent)
    : QAbstractTableModel(parent) {
    connect(QProUtil::instance(), &QProUtil::languageChanged, this,
            [this] { emit headerDataChanged(Qt::Horizontal, 0, RestoreTableModel::ColumnCount - 1); });
}

void BackupModel::Load(const CBackupLog& log) {
    beginResetModel();
    m_entries = log.Entries();
    // Newest first: the backup just made is the row the user looks for.
    std::reverse(m_entries.begin(), m_entries.end());
    endResetModel();
}

int BackupModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int BackupModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RestoreTableModel::ColumnCount;
}

QVariant BackupModel::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || index.row() >= m_entries.size())
        return QVariant();
    const CBackupLogEntry& entry = m_entries[index.row()];
    // The cells are one line; the names and paths they cut short are read whole in the tooltip.
    if (role == Qt::ToolTipRole && index.column() == RestoreTableModel::Name)
        return entry.name;
    if (role == Qt::ToolTipRole && index.column() == RestoreTableModel::Path)
        return entry.filepath;
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case RestoreTableModel::Name:
        return entry.name;
    case RestoreTableModel::DateTime:
        return entry.greateDate;
    case RestoreTableModel::Size:
        return RestoreTableModel::SizeText(entry.backupSize.toULongLong());
    case RestoreTableModel::Type:
        return entry.deviceClass;
    case RestoreTableModel::SerialNumber:
        return entry.serialNumber;
    case RestoreTableModel::Path:
        return entry.filepath;
    default:
        return QVariant();
    }
}

QVariant BackupModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QVariant();
    return RestoreTableModel::HeaderText(section);
}
