// The archived file record kept in each Manifest.db row of a backup.
#include "formats/BackupTypes.h"
#include "formats/FileRecordArchive.h"

#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(file_record) {
    vexa::formats::BackupFile file;
    vexa::formats::FileRecordArchive::Decode(std::vector<uint8_t>(data, data + size), file);
    return 0;
}
