// The Manifest.db of a backup: the list of files, their domains, paths and archived records.
#include "BackupFolder.h"
#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(backup_manifest_db) {
    static const BackupFolder backup("backup_manifest_db");
    backup.ReadWith("Manifest.db", data, size);
    return 0;
}
