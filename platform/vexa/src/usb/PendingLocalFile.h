#pragma once

#include <filesystem>

#include "FileDescriptor.h"

namespace vexa::usb {

// A file on the computer that appears under its name only once it is whole. It is written without a
// name (O_TMPFILE) and linked into its folder at the end; where the file system cannot keep a nameless
// file, it is written under a hidden name beside the target and renamed into place. Either way a file
// already there is replaced in one step, and a file not committed is gone with this object.
class PendingLocalFile {
public:
    explicit PendingLocalFile(std::filesystem::path destination);
    ~PendingLocalFile();
    PendingLocalFile(const PendingLocalFile&) = delete;
    PendingLocalFile& operator=(const PendingLocalFile&) = delete;

    // False when nothing can be written in the target's folder.
    bool Open();
    int Descriptor() const { return m_file.Get(); }
    // Closes the file and puts it under its name; false (and nothing left behind) when either fails.
    bool Commit();

private:
    bool LinkUnder(const std::filesystem::path& name) const;
    void RemovePart();

    std::filesystem::path m_destination;
    std::filesystem::path m_part;
    FileDescriptor m_file{-1};
    bool m_partExists = false; // written under the hidden name, or linked there to replace a file
    bool m_placed = false;
};

} // namespace vexa::usb
