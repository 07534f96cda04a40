#include "QSystemSortModel.h"

#include <QRegularExpression>

#include "CDeviceFileItem.h"
#include "CNaturalOrder.h"
#include "QSystemModel.h"

QSystemSortModel::QSystemSortModel(QObject* parent)
    : QMySortModel(parent) {
    SetAlternateColors(false);
    setFilterKeyColumn(QSystemModel::ColumnName);
}

bool QSystemSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* model = static_cast<const QSystemModel*>(sourceModel());
    const CDeviceFileItem* a = model->ItemAt(left.row());
    const CDeviceFileItem* b = model->ItemAt(right.row());
    if (a == nullptr || b == nullptr) {
        return a == nullptr && b != nullptr;
    }
    // Folders stay together at the top of an ascending listing.
    if (a->IsDirectory() != b->IsDirectory()) {
        return a->IsDirectory();
    }
    switch (left.column()) {
    case QSystemModel::ColumnSize:
        if (a->GetSize() != b->GetSize()) {
            return a->GetSize() < b->GetSize();
        }
        break;
    case QSystemModel::ColumnCreateTime:
        if (a->GetCreateTime() != b->GetCreateTime()) {
            return a->GetCreateTime() < b->GetCreateTime();
        }
        break;
    default:
        break;
    }
    return CNaturalOrder::Less(model->NameAt(left.row()), model->NameAt(right.row()));
}

bool QSystemSortModel::SearchMatches(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid()) {
        return false;
    }
    const auto* model = static_cast<const QSystemModel*>(sourceModel());
    return filterRegularExpression().match(model->NameAt(sourceRow)).hasMatch();
}
