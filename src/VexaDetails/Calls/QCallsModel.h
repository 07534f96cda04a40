#pragma once

#include <vector>

#include "QBaseDetailsModel.h"

class CCallChunk;

// The call table: who (the contact's name, or the number when the address book knows none), when, how
// long, which way, whether anyone answered, and what kind of call. It orders its own rows by the
// values behind the texts, so dates and durations sort by time rather than by their letters.
class QCallsModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, DateColumn, DurationColumn, DirectionColumn, AnsweredColumn, TypeColumn };
    // Column 0 answers the name and the number together under this role, for the search.
    static constexpr int kSearchRole = Qt::UserRole + 1;

    explicit QCallsModel(QObject* parent = nullptr);

    // Rebuilds the translated header labels.
    void Retranslate();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Orders the rows by `column` and keeps that order over later reloads; newest first until then.
    void SortBy(int column, Qt::SortOrder order);

    QString DirectionText(const CCallChunk& call) const;
    QString AnsweredText(const CCallChunk& call) const;
    QString KindText(const CCallChunk& call) const;

protected:
    void OrderRows(std::vector<IBaseChunk*>& rows) override;

private:
    int m_sortColumn = DateColumn;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
