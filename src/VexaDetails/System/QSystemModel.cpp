#include "QSystemModel.h"

#include <algorithm>

#include <QDateTime>

#include "CDeviceFileItem.h"
#include "CDeviceFileName.h"
#include "FormatSize.h"

QSystemModel::QSystemModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void QSystemModel::SetFolder(CDeviceFileItem* folder) {
    beginResetModel();
    m_folder = folder;
    const bool read = folder == nullptr || folder->HasReadChildren() || folder->ReadChildren();
    CacheNames();
    endResetModel();
    if (!read) {
        emit readFailed(QString::fromStdString(folder->GetPath()), folder->ReadError());
    }
}

void QSystemModel::EndChange() {
    CacheNames();
    endResetModel();
}

void QSystemModel::CacheNames() {
    m_names.clear();
    const int count = m_folder != nullptr ? m_folder->GetChildCount() : 0;
    m_names.reserve(count);
    for (int row = 0; row < count; ++row) {
        m_names.append(QString::fromStdString(m_folder->GetChild(row)->GetName()));
    }
}

CDeviceFileItem* QSystemModel::ItemAt(int row) const {
    return m_folder != nullptr ? m_folder->GetChild(row) : nullptr;
}

int QSystemModel::RowOf(const CDeviceFileItem* item) const {
    return m_folder != nullptr ? m_folder->RowOf(item) : -1;
}

void QSystemModel::Retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (rowCount() > 0) {
        emit dataChanged(index(0, ColumnType), index(rowCount() - 1, ColumnType));
    }
}

QString QSystemModel::SizeText(int64_t bytes) {
    return FormatSize(static_cast<uint64_t>(std::max<int64_t>(bytes, 0)));
}

QString QSystemModel::TimeText(int64_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-M-d h:m:s"));
}

QString QSystemModel::NameProblem(const CDeviceFileItem* item, const QString& name) {
    const std::string utf8 = name.toStdString();
    switch (CDeviceFileName::CheckName(utf8)) {
    case CDeviceFileName::Check::Empty:
        return tr("Please enter a name.");
    case CDeviceFileName::Check::Separator:
        return tr("A name cannot contain \"/\" or a NUL character.");
    case CDeviceFileName::Check::Reserved:
        return tr("\".\" and \"..\" cannot be used as names.");
    case CDeviceFileName::Check::Ok:
        break;
    }
    const CDeviceFileItem* folder = item != nullptr ? item->ParentItem() : nullptr;
    const CDeviceFileItem* same = folder != nullptr ? folder->FindChild(utf8) : nullptr;
    if (same != nullptr && same != item) {
        return tr("\"%1\" already exists in this folder.").arg(name);
    }
    return {};
}

int QSystemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_folder == nullptr ? 0 : m_folder->GetChildCount();
}

int QSystemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QSystemModel::data(const QModelIndex& index, int role) const {
    const CDeviceFileItem* item = index.isValid() ? ItemAt(index.row()) : nullptr;
    if (item == nullptr) {
        return {};
    }
    if (role == Qt::DecorationRole && index.column() == ColumnName) {
        return item->IsDirectory() ? m_icons.Folder() : m_icons.ForFile(m_names.value(index.row()));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) {
        return {};
    }
    switch (index.column()) {
    case ColumnName:
        return role == Qt::ToolTipRole ? QString::fromStdString(item->GetPath()) : m_names.value(index.row());
    case ColumnSize:
        return SizeText(item->GetSize());
    case ColumnType:
        return item->IsDirectory() ? tr("Folder") : tr("File");
    case ColumnCreateTime:
        return TimeText(item->GetCreateTime());
    default:
        return {};
    }
}

bool QSystemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    CDeviceFileItem* item = index.isValid() ? ItemAt(index.row()) : nullptr;
    if (item == nullptr || role != Qt::EditRole || index.column() != ColumnName) {
        return false;
    }
    const QString name = value.toString();
    if (name == QString::fromStdString(item->GetName())) {
        return false;
    }
    if (const QString problem = NameProblem(item, name); !problem.isEmpty()) {
        emit renameRefused(problem);
        return false;
    }
    if (!item->Rename(name.toStdString())) {
        emit renameRefused(
            tr("The entry \"%1\" could not be renamed.").arg(QString::fromStdString(item->GetName())));
        return false;
    }
    m_names[index.row()] = name;
    emit dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(ColumnCount - 1));
    return true;
}

QVariant QSystemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case ColumnName:
        return tr("Name");
    case ColumnSize:
        return tr("Size");
    case ColumnType:
        return tr("Type");
    case ColumnCreateTime:
        return tr("Create Time");
    default:
        return {};
    }
}

Qt::ItemFlags QSystemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    const CDeviceFileItem* item = ItemAt(index.row());
    if (index.column() == ColumnName && item != nullptr && !item->IsRoot()) {
        flags |= Qt::ItemIsEditable;
    }
    if (item != nullptr && item->IsDirectory()) {
        flags |= Qt::ItemIsDropEnabled;
    }
    return flags;
}
