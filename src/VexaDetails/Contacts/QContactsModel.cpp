#include "QContactsModel.h"

#include <algorithm>

#include "CContactChunk.h"
#include "CNaturalOrder.h"
#include "ContactGroupNames.h"

namespace {

QString DisplayGroups(const CContactChunk& chunk) {
    QStringList names;
    for (const std::string& name : chunk.groupNames)
        names.append(DisplayGroupName(QString::fromStdString(name)));
    return names.join(QLatin1Char(' '));
}

} // namespace

QContactsModel::QContactsModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    Retranslate();
}

void QContactsModel::Retranslate() {
    SetHeaderLabels({tr("Name"), tr("Phone Number"), tr("Group"), tr("Status")});
}

QVariant QContactsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QBaseDetailsModel::data(index, role);
    const auto* chunk = static_cast<const CContactChunk*>(static_cast<IBaseChunk*>(index.internalPointer()));
    switch (index.column()) {
    case NameColumn:
        return chunk->nameText;
    case PhoneColumn:
        return chunk->numbersText;
    case GroupColumn:
        return chunk->groupsText.isEmpty() ? tr("Ungrouped") : DisplayGroups(*chunk);
    default:
        return QString();
    }
}

void QContactsModel::SortBy(int column, Qt::SortOrder order) {
    m_sortColumn = column;
    m_sortOrder = order;
    Reorder();
}

QString QContactsModel::SortText(const IBaseChunk* chunk) const {
    const auto* contact = static_cast<const CContactChunk*>(chunk);
    switch (m_sortColumn) {
    case NameColumn:
        return contact->nameText;
    case PhoneColumn:
        return contact->numbersText;
    case GroupColumn:
        return contact->groupsText.isEmpty() ? tr("Ungrouped") : DisplayGroups(*contact);
    default:
        return QString();
    }
}

int QContactsModel::RankOf(const IBaseChunk* chunk) const {
    const auto* contact = static_cast<const CContactChunk*>(chunk);
    return m_sortColumn == NameColumn    ? contact->nameRank
           : m_sortColumn == PhoneColumn ? contact->numbersRank
                                         : -1;
}

bool QContactsModel::OrderByRank(std::vector<IBaseChunk*>& rows) const {
    // A counting sort: linear, and equal ranks keep their order, as the stable sort below would.
    std::vector<int> firstOf;
    for (const IBaseChunk* chunk : rows) {
        const int rank = RankOf(chunk);
        // Ranks count the records of the load, so after deletions they may pass the number of rows.
        if (rank < 0 || size_t(rank) > 4 * rows.size() + 1024)
            return false;
        if (rank >= int(firstOf.size()))
            firstOf.resize(size_t(rank) + 1, 0);
        ++firstOf[size_t(rank)];
    }
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    int place = 0;
    for (size_t i = 0; i < firstOf.size(); ++i) {
        int& slot = firstOf[ascending ? i : firstOf.size() - 1 - i];
        const int count = slot;
        slot = place;
        place += count;
    }
    std::vector<IBaseChunk*> ordered(rows.size());
    for (IBaseChunk* chunk : rows)
        ordered[size_t(firstOf[size_t(RankOf(chunk))]++)] = chunk;
    rows.swap(ordered);
    return true;
}

void QContactsModel::OrderRows(std::vector<IBaseChunk*>& rows) {
    if (m_sortColumn < NameColumn || m_sortColumn > GroupColumn)
        return;
    // Right after a load every row has its rank; only records edited since then need their texts.
    if (OrderByRank(rows))
        return;
    // Ranks compare as their texts would; a record edited since its load has none and compares by text.
    struct Key {
        int rank;
        QString text;
        IBaseChunk* chunk;
    };
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (IBaseChunk* chunk : rows) {
        const int rank = RankOf(chunk);
        keys.push_back({rank, rank >= 0 ? QString() : SortText(chunk), chunk});
    }
    const auto text = [this](const Key& key) { return key.rank >= 0 ? SortText(key.chunk) : key.text; };
    const auto less = [&text](const Key& a, const Key& b) {
        if (a.rank >= 0 && b.rank >= 0)
            return a.rank < b.rank;
        return CNaturalOrder::Less(text(a), text(b));
    };
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(keys.begin(), keys.end(), less);
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [&less](const Key& a, const Key& b) { return less(b, a); });
    for (size_t i = 0; i < keys.size(); ++i)
        rows[i] = keys[i].chunk;
}
