#pragma once

#include <QSortFilterProxyModel>

// Sorting and filtering proxy of the record tables. Every column sorts as plain text (so "10" comes
// before "9"), rows alternate white and pale blue, and the filter matches on any column.
class QMySortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit QMySortModel(QObject* parent = nullptr);

    void SetAlternateColors(bool on) { m_alternate = on; }
    bool AlternateColors() const { return m_alternate; }
    // Case-sensitive regular expression over all columns; an invalid pattern matches nothing.
    void SetSearchPattern(const QString& text);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

signals:
    void emitSort(int column, Qt::SortOrder order);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool m_alternate = true;
};
