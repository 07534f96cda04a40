#pragma once

#include <QSortFilterProxyModel>

// Sorting and search over a folder's contents: folders first, sizes and times by value, and the
// search text as a case-sensitive regular expression over the names (an invalid one matches nothing).
class QSystemSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit QSystemSortModel(QObject* parent = nullptr);

    void SetSearchPattern(const QString& text);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};
