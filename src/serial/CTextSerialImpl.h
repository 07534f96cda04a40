#pragma once

#include "CFieldListSerial.h"

#include <vector>

// Writes records as plain UTF-8 text: one line of "name: value; " pairs per item, then an empty
// line. Nesting and item names are not kept.
class CTextSerialImpl : public CFieldListSerial {
public:
    bool BeginItem(const char* name, int index) override;
    bool EndItem() override;

    // path is UTF-8. A file that cannot be opened is silently left alone.
    bool SaveFile(const char* path) const;

protected:
    FieldList* CurrentFields() override;

private:
    std::vector<FieldList> m_items;
};
