#pragma once

#include "CFieldListSerial.h"

#include <vector>

// Common ground of the writers that keep no nesting and no item names: every BeginItem starts a new
// item, and the fields written go to the item begun last.
class CFlatItemSerial : public CFieldListSerial {
public:
    bool BeginItem(const char* name, int index) override;
    bool EndItem() override;

protected:
    FieldList* CurrentFields() override;
    // In the order they were begun.
    const std::vector<FieldList>& Items() const { return m_items; }

private:
    std::vector<FieldList> m_items;
};
