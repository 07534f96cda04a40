#include "QContactsModel.h"

#include "CContactChunk.h"

namespace {

QString JoinedNumbers(const CContactChunk& chunk) {
    QString text;
    for (const CContactChunk::Entry& phone : chunk.phones) {
        if (!text.isEmpty())
            text += QLatin1String("; ");
        text += QString::fromStdString(phone.second);
    }
    return text;
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
        return QString::fromStdString(chunk->displayName);
    case PhoneColumn:
        return JoinedNumbers(*chunk);
    case GroupColumn:
        return chunk->groups.empty() ? tr("Ungrouped") : QString::fromStdString(chunk->groups);
    default:
        return QString();
    }
}
