// The Info.plist of a backup: the device and backup properties the backup list shows.
#include "BackupFolder.h"
#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(backup_info_plist) {
    static const BackupFolder backup("backup_info_plist");
    backup.ReadWith("Info.plist", data, size);
    return 0;
}
