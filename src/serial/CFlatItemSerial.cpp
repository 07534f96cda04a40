#include "CFlatItemSerial.h"

bool CFlatItemSerial::BeginItem(const char* name, int) {
    if (!name) {
        return false;
    }
    m_items.emplace_back();
    return true;
}

bool CFlatItemSerial::EndItem() {
    return true;
}

CFieldListSerial::FieldList* CFlatItemSerial::CurrentFields() {
    return m_items.empty() ? nullptr : &m_items.back();
}
