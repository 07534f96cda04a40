#pragma once

#include "ISerialable.h"

#include <QModelIndexList>

// Exports the records behind a list of model indexes (a drag or a view's selection). Each valid
// index's internal pointer is the record itself.
class QDndSelectSerial : public ISerialable {
public:
    explicit QDndSelectSerial(const QModelIndexList& indexes);

    void Serialize(IBaseSerial* writer) override;
    void Deserialize(IBaseSerial* writer) override;

private:
    QModelIndexList m_indexes;
};
