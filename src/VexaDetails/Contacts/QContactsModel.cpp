#include "QContactsModel.h"

#include "CContactChunk.h"
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
