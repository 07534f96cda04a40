#include "CTextSerialImpl.h"

#include <fstream>

bool CTextSerialImpl::SaveFile(const char* path) const {
    if (!path) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    for (const FieldList& fields : Items()) {
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
