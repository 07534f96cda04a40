#include "CCheckedRecords.h"

#include <utility>

#include "IBaseChunk.h"
#include "IBaseSerial.h"

CCheckedRecords::CCheckedRecords(const std::list<IBaseChunk*>& records, std::string categoryName)
    : m_records(records)
    , m_categoryName(std::move(categoryName)) {}

void CCheckedRecords::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    // The category item holds the records; writers that keep no nesting make it an empty entry.
    writer->BeginItem(m_categoryName.c_str(), -1);
    for (IBaseChunk* chunk : m_records)
        if (chunk->IsChecked())
            chunk->Serialize(writer);
    writer->EndItem();
}
