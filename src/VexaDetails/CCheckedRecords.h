#pragma once

#include <list>
#include <string>

#include "ISerialable.h"

class IBaseChunk;

// The checked records of a category as one export writes them: an item named after the category that
// holds each checked record in list order. The table views and the command-line export share it, so
// both write the same file. The list is not owned and must outlive this object.
class CCheckedRecords : public ISerialable {
public:
    // The name of the item that holds the records, unless a view names its category otherwise.
    static constexpr const char* kDefaultCategoryName = "Entries";

    CCheckedRecords(const std::list<IBaseChunk*>& records, std::string categoryName);

    void Serialize(IBaseSerial* writer) override;
    void Deserialize(IBaseSerial*) override {}

private:
    const std::list<IBaseChunk*>& m_records;
    std::string m_categoryName;
};
