#pragma once

#include "QMySortModel.h"

// Sorting and search over a folder's contents: folders first, sizes and times by value, names in
// natural order, and the search over the names alone.
class QSystemSortModel : public QMySortModel {
    Q_OBJECT
public:
    explicit QSystemSortModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool SearchMatches(int sourceRow, const QModelIndex& sourceParent) const override;
};
