#pragma once

#include <cstdint>
#include <vector>

#include "formats/BackupTypes.h"

namespace vexa::formats {

// The "file" column of Manifest.db: a keyed-archiver binary plist of an MBFile object with the file's
// relative path, size, mode, times and owner, as device backups keep it.
class FileRecordArchive {
public:
    static std::vector<uint8_t> Encode(const BackupFile& file, uint64_t size);
    // Fills size, mode and modified when the blob holds them; false when it is not such an archive.
    static bool Decode(const std::vector<uint8_t>& blob, BackupFile& file);
};

} // namespace vexa::formats
