#include "CTextSerialImpl.h"

#include <fstream>

bool CTextSerialImpl::BeginItem(const char* name, int) {
    if (!name) {
        return false;
    }
    m_items.emplace_back();
    return true;
}

bool CTextSerialImpl::EndItem() {
    return true;
}

CFieldListSerial::FieldList* CTextSerialImpl::CurrentFields() {
    return m_items.empty() ? nullptr : &m_items.back();
}

bool CTextSerialImpl::SaveFile(const char* path) const {
    if (!path) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    for (const FieldList& fields : m_items) {
        for (const CSerialField& field : fields) {
            if (field.Size() == 0) {
                continue;
            }
            out << field.Name() << ": " << field.ValueText() << "; ";
        }
        out << "\r\n\r\n";
    }
    // A full disk shows only when the buffer reaches it.
    out.close();
    return !out.fail();
}
