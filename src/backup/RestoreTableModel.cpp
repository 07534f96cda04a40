#include "RestoreTableModel.h"

#include "QProUtil.h"

RestoreTableModel::RestoreTableModel(QObject* parent)
    : QAbstractTableModel(parent) {
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &RestoreTableModel::OnLanguageChanged);
}

void RestoreTableModel::SetRecords(const QList<CBackupRecord>& records) {
    beginResetModel();
    m_records = records;
    endResetModel();
}

const CBackupRecord* RestoreTableModel::Record(int row) const {
    return row >= 0 && row < m_records.size() ? &m_records[row] : nullptr;
}

QString RestoreTableModel::SizeText(quint64 bytes) {
    if (bytes > 1073741824ull)
        return QString::asprintf("%.2fGB", double(bytes) / (1024.0 * 1024.0 * 1024.0));
    if (bytes > 1048576ull)
        return QString::asprintf("%.2fMB", double(bytes) / (1024.0 * 1024.0));
    if (bytes > 1024ull)
        return QString::asprintf("%.2fKB", double(bytes) / 1024.0);
    return QString::asprintf("%.2fB", double(bytes));
}

QString RestoreTableModel::HeaderText(int column) {
    switch (column) {
    case Name:
        return tr("Name");
    case DateTime:
        return tr("Date Time");
    case Size:
        return tr("Size");
    case Type:
        return tr("Type");
    case SerialNumber:
        return tr("SerialNumber");
    case Path:
        return tr("Path");
    default:
        return QString();
    }
}

int RestoreTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_records.size());
}

int RestoreTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RestoreTableModel::data(const QModelIndex& index, int role) const {
    const CBackupRecord* record = Record(index.row());
    if (!record)
        return QVariant();
    // The cells are one line; the names and paths they cut short are read whole in the tooltip.
    if (role == Qt::ToolTipRole && index.column() == Name)
        return record->name;
    if (role == Qt::ToolTipRole && index.column() == Path)
        return record->folder;
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case Name:
        return record->name;
    case DateTime:
        return record->dateTime;
    case Size:
        return SizeText(record->size);
    case Type:
        return record->deviceType;
    case SerialNumber:
        return record->serialNumber;
    case Path:
        return record->folder;
    default:
        return QVariant();
    }
}

QVariant RestoreTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QVariant();
    return HeaderText(section);
}

void RestoreTableModel::OnLanguageChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}
