#include "QMySortModel.h"

#include <QColor>
#include <QRegularExpression>

#include "CNaturalOrder.h"

QMySortModel::QMySortModel(QObject* parent)
    : QSortFilterProxyModel(parent) {
    setDynamicSortFilter(true);
    setFilterKeyColumn(-1);
}

void QMySortModel::SetSearchPattern(const QString& text) {
    setFilterRegularExpression(QRegularExpression(text, QRegularExpression::CaseInsensitiveOption));
}

void QMySortModel::SetRowFilter(std::function<bool(int)> accept) {
    m_rowFilter = std::move(accept);
    invalidateFilter();
}

QVariant QMySortModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::BackgroundRole && m_alternate && index.isValid())
        return index.row() % 2 == 0 ? QColor(Qt::white) : QColor(219, 233, 236);
    return QSortFilterProxyModel::data(index, role);
}

void QMySortModel::SetSortHandler(SortHandler handler) {
    m_sortHandler = std::move(handler);
    // Whatever the proxy sorted by until now would be sorted again on every reset.
    if (m_sortHandler)
        QSortFilterProxyModel::sort(-1);
}

void QMySortModel::sort(int column, Qt::SortOrder order) {
    if (m_sortHandler)
        m_sortHandler(column, order);
    else
        QSortFilterProxyModel::sort(column, order);
    emit emitSort(column, order);
}

bool QMySortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (!left.isValid() || !right.isValid())
        return false;
    const QString a = sourceModel()->data(left, Qt::DisplayRole).toString();
    const QString b = sourceModel()->data(right, Qt::DisplayRole).toString();
    return CNaturalOrder::Less(a, b);
}

bool QMySortModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_rowFilter && !m_rowFilter(sourceRow))
        return false;
    const QRegularExpression& pattern = filterRegularExpression();
    if (pattern.pattern().isEmpty())
        return true;
    // The base would treat a broken pattern as "no filter"; a search for "[" must find nothing.
    if (!pattern.isValid())
        return false;
    return SearchMatches(sourceRow, sourceParent);
}

bool QMySortModel::SearchMatches(int sourceRow, const QModelIndex& sourceParent) const {
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}
