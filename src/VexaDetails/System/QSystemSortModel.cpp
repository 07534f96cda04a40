#include "QSystemSortModel.h"

#include <QRegularExpression>

#include "QSystemModel.h"

QSystemSortModel::QSystemSortModel(QObject* parent)
    : QSortFilterProxyModel(parent) {
    setSortRole(QSystemModel::SortRole);
    setFilterKeyColumn(QSystemModel::ColumnName);
    setFilterRole(Qt::DisplayRole);
}

void QSystemSortModel::SetSearchPattern(const QString& text) {
    QRegularExpression expression(text);
    if (!expression.isValid()) {
        // Nothing is named by a pattern that cannot be read; "(?!)" never matches.
        expression = QRegularExpression(QStringLiteral("(?!)"));
    }
    setFilterRegularExpression(expression);
}
