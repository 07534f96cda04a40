#pragma once

#include <string>
#include <vector>

#include "CSerialField.h"

// One record of a file export: the fields its Serialize wrote, in order.
using PhotoSerialEntry = std::vector<CSerialField>;

// The value of the last text field called `name` that has a value; empty when there is none.
std::string EntryText(const PhotoSerialEntry& entry, const char* name);

// Copies the file (or folder, or app) one record names into the export folder.
class IPhotoSerialAction {
public:
    enum Result {
        Copied,
        Skipped, // no device path or no title, such as the category's own item
        Failed,
    };

    virtual ~IPhotoSerialAction() = default;

    virtual Result Execute(const char* destination, const PhotoSerialEntry* entry) = 0;
    // Where Execute puts the file of `entry` in `destination`; empty when it would skip the entry. The
    // same action answers the same path for the same record, before and after the copy.
    virtual std::string LocalPath(const char* destination, const PhotoSerialEntry& entry) = 0;
    // How many entries Execute may be given at once from different threads; 1 for one at a time.
    virtual int Lanes() { return 1; }
};
