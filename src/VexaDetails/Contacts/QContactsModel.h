#pragma once

#include <vector>

#include "QBaseDetailsModel.h"

// The contacts table: name, phone numbers, groups and the row's action cell.
class QContactsModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, PhoneColumn, GroupColumn, StatusColumn };

    explicit QContactsModel(QObject* parent = nullptr);

    // Rebuilds the translated header labels.
    void Retranslate();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Orders the rows by `column` (names and numbers by the loader's ranks, as their texts would sort
    // in natural order) and keeps that order over later reloads.
    void SortBy(int column, Qt::SortOrder order);

protected:
    void OrderRows(std::vector<IBaseChunk*>& rows) override;

private:
    QString SortText(const IBaseChunk* chunk) const;
    int RankOf(const IBaseChunk* chunk) const; // -1 for a column without ranks, or a record without one
    bool OrderByRank(std::vector<IBaseChunk*>& rows) const; // false when a row has no rank

    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
