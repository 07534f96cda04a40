#pragma once

#include <functional>

#include <QSortFilterProxyModel>

// Sorting and filtering proxy of the record tables. Every column sorts in natural order ("Song 2"
// before "Song 18", letter case aside), rows alternate white and pale blue, and the search matches on
// any column. Every page searches through one of these.
class QMySortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit QMySortModel(QObject* parent = nullptr);

    void SetAlternateColors(bool on) { m_alternate = on; }
    bool AlternateColors() const { return m_alternate; }
    // A regular expression, letter case aside; an invalid pattern matches nothing, an empty one all.
    void SetSearchPattern(const QString& text);
    QString SearchPattern() const { return filterRegularExpression().pattern(); }
    // A second condition a row must meet besides the search (a contact group, say); none when empty.
    void SetRowFilter(std::function<bool(int sourceRow)> accept);
    // For a source model that orders its own rows: sort() hands the column and order to `handler`
    // and the proxy keeps the source's order (it sorts nothing itself, not even on a reset).
    using SortHandler = std::function<void(int column, Qt::SortOrder order)>;
    void SetSortHandler(SortHandler handler);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

signals:
    void emitSort(int column, Qt::SortOrder order);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // Whether the search pattern finds the row; by default any of its cells.
    virtual bool SearchMatches(int sourceRow, const QModelIndex& sourceParent) const;

private:
    bool m_alternate = true;
    std::function<bool(int)> m_rowFilter;
    SortHandler m_sortHandler;
};
