#include "QSystemSortModel.h"

#include <QRegularExpression>

#include "CDeviceFileItem.h"
#include "QSystemModel.h"

QSystemSortModel::QSystemSortModel(QObject* parent)
    : QSortFilterProxyModel(parent) {
    setFilterKeyColumn(QSystemModel::ColumnName);
}

void QSystemSortModel::SetSearchPattern(const QString& text) {
    QRegularExpression expression(text);
    if (!expression.isValid()) {
        // Nothing is named by a pattern that cannot be read; "(?!)" never matches.
        expression = QRegularExpression(QStringLiteral("(?!)"));
    }
    setFilterRegularExpression(expression);
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
    return model->NameAt(left.row()).compare(model->NameAt(right.row()), Qt::CaseInsensitive) < 0;
}

bool QSystemSortModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid()) {
        return false;
    }
    const QRegularExpression& expression = filterRegularExpression();
    if (expression.pattern().isEmpty()) {
        return true;
    }
    const auto* model = static_cast<const QSystemModel*>(sourceModel());
    return expression.match(model->NameAt(sourceRow)).hasMatch();
}
