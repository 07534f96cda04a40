#include "QMySortModel.h"

#include <QColor>
#include <QRegularExpression>

QMySortModel::QMySortModel(QObject* parent)
    : QSortFilterProxyModel(parent) {
    setDynamicSortFilter(true);
    setFilterKeyColumn(-1);
}

void QMySortModel::SetSearchPattern(const QString& text) {
    setFilterRegularExpression(QRegularExpression(text));
}

QVariant QMySortModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::BackgroundRole && m_alternate && index.isValid())
        return index.row() % 2 == 0 ? QColor(Qt::white) : QColor(219, 233, 236);
    return QSortFilterProxyModel::data(index, role);
}

void QMySortModel::sort(int column, Qt::SortOrder order) {
    QSortFilterProxyModel::sort(column, order);
    emit emitSort(column, order);
}

bool QMySortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (!left.isValid() || !right.isValid())
        return false;
    // Plain code-unit ordering on purpose: numbers and dates sort as text too.
    const QString a = sourceModel()->data(left, Qt::DisplayRole).toString();
    const QString b = sourceModel()->data(right, Qt::DisplayRole).toString();
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

bool QMySortModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QRegularExpression& pattern = filterRegularExpression();
    // The base would treat a broken pattern as "no filter"; a search for "[" must find nothing.
    if (!pattern.isValid())
        return false;
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}
