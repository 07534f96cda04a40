#include "QDndSelectSerial.h"

QDndSelectSerial::QDndSelectSerial(const QModelIndexList& indexes)
    : m_indexes(indexes) {}

void QDndSelectSerial::Serialize(IBaseSerial* writer) {
    if (!writer) {
        return;
    }
    for (const QModelIndex& index : m_indexes) {
        if (index.row() < 0 || index.column() < 0 || !index.model()) {
            continue;
        }
        if (auto* record = static_cast<ISerialable*>(index.internalPointer())) {
            record->Serialize(writer);
        }
    }
}

void QDndSelectSerial::Deserialize(IBaseSerial*) {}
