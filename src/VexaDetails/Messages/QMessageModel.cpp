#include "QMessageModel.h"

#include "CMessageChunk.h"

QMessageModel::QMessageModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    Retranslate();
}

void QMessageModel::Retranslate() {
    SetHeaderLabels({tr("Name"), tr("Number"), tr("Status")});
}

QVariant QMessageModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QBaseDetailsModel::data(index, role);
    const auto* chunk = static_cast<const CMessageChunk*>(static_cast<IBaseChunk*>(index.internalPointer()));
    switch (index.column()) {
    case NameColumn:
        return chunk->nameText;
    case NumberColumn:
        return chunk->numberText;
    default:
        return QString();
    }
}
