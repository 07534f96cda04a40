// The Manifest.plist of a backup: whether it is encrypted and, if so, the key bag that checks the password.
#include "BackupFolder.h"
#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(backup_manifest_plist) {
    static const BackupFolder backup("backup_manifest_plist");
    backup.ReadWith("Manifest.plist", data, size);
    return 0;
}
