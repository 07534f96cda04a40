#include "QCallsModel.h"

#include <algorithm>
#include <tuple>

#include <QDateTime>
#include <QLocale>

#include "CCallChunk.h"
#include "CNaturalOrder.h"

namespace {

const CCallChunk* CallOf(const IBaseChunk* chunk) {
    return static_cast<const CCallChunk*>(chunk);
}

} // namespace

QCallsModel::QCallsModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    Retranslate();
}

void QCallsModel::Retranslate() {
    SetHeaderLabels(
        {tr("Name or number"), tr("Date"), tr("Duration"), tr("Direction"), tr("Answered"), tr("Type")});
}

QString QCallsModel::DirectionText(const CCallChunk& call) const {
    return call.outgoing ? tr("Outgoing") : tr("Incoming");
}

QString QCallsModel::AnsweredText(const CCallChunk& call) const {
    switch (call.CallOutcome()) {
    case CCallChunk::Outcome::Answered:
        return tr("Yes");
    case CCallChunk::Outcome::Missed:
        return tr("Missed");
    default:
        return tr("No");
    }
}

QString QCallsModel::KindText(const CCallChunk& call) const {
    switch (call.kind) {
    case CALL_PHONE:
        return tr("Phone");
    case CALL_FACETIME_AUDIO:
        return tr("FaceTime Audio");
    case CALL_FACETIME_VIDEO:
        return tr("FaceTime Video");
    default:
        return tr("Other");
    }
}

QVariant QCallsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QBaseDetailsModel::data(index, role);
    const CCallChunk& call = *CallOf(static_cast<IBaseChunk*>(index.internalPointer()));
    if (role == kSearchRole && index.column() == NameColumn)
        return QString::fromStdString(call.GetName()) + QLatin1Char('\n') +
               QString::fromStdString(call.address);
    if (role == Qt::ToolTipRole && index.column() == NameColumn && !call.GetName().empty())
        return QString::fromStdString(call.address);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QBaseDetailsModel::data(index, role);
    switch (index.column()) {
    case NameColumn:
        return call.NameOrNumber();
    case DateColumn:
        return QLocale().toString(QDateTime::fromSecsSinceEpoch(call.unixTime), QLocale::ShortFormat);
    case DurationColumn:
        return CCallChunk::DurationText(call.durationSeconds);
    case DirectionColumn:
        return DirectionText(call);
    case AnsweredColumn:
        return AnsweredText(call);
    case TypeColumn:
        return KindText(call);
    default:
        return QString();
    }
}

void QCallsModel::SortBy(int column, Qt::SortOrder order) {
    m_sortColumn = column;
    m_sortOrder = order;
    Reorder();
}

void QCallsModel::OrderRows(std::vector<IBaseChunk*>& rows) {
    const int column = m_sortColumn;
    auto less = [this, column](const IBaseChunk* leftChunk, const IBaseChunk* rightChunk) {
        const CCallChunk& left = *CallOf(leftChunk);
        const CCallChunk& right = *CallOf(rightChunk);
        switch (column) {
        case NameColumn:
            return CNaturalOrder::Less(left.NameOrNumber(), right.NameOrNumber());
        case DurationColumn:
            return left.durationSeconds < right.durationSeconds;
        case DirectionColumn:
            return left.outgoing < right.outgoing;
        case AnsweredColumn:
            return int(left.CallOutcome()) < int(right.CallOutcome());
        case TypeColumn:
            return CNaturalOrder::Less(KindText(left), KindText(right));
        default:
            return left.unixTime < right.unixTime;
        }
    };
    // Equal keys keep the device's order (newest first), whichever way the column runs.
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(),
                         [&less](const IBaseChunk* a, const IBaseChunk* b) { return less(b, a); });
}
