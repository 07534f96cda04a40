#include "IPhotoSerialAction.h"

std::string EntryText(const PhotoSerialEntry& entry, const char* name) {
    std::string value;
    for (const CSerialField& field : entry) {
        if (field.IsText() && field.Name() == name && !field.Text().empty()) {
            value = std::string(field.Text());
        }
    }
    return value;
}
