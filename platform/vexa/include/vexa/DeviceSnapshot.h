#pragma once

#include <cstdint>
#include <functional>

#include "IVexaManager.h"
#include "VexaRecords.h"

// A real device hands its contacts, messages and calls only to a backup: the library reads them from a
// snapshot, a backup it keeps of the device in the user's cache, taken on the first read. These reach
// that snapshot through the device's manager. For a manager whose device is read directly (the
// simulator) or a backup, HasDeviceSnapshot is false and the others answer VEXA_E_NOT_SUPPORTED_YET.
bool HasDeviceSnapshot(IVexaManager* manager);
// Takes a new snapshot, incremental after the first; `progress` (may be null) hears after each file
// and may cancel. The old snapshot stays readable until the new one is complete.
int RefreshDeviceSnapshot(IVexaManager* manager, BackupProgressCallback progress, void* context);
// The password of a device that encrypts its backups, kept in memory for the session; VEXA_E_PASSWORD
// when it is wrong. Reads answer VEXA_E_PASSWORD until it is given. Deriving the key takes seconds:
// `cancelled` (may be empty), asked now and then, stops it with VEXA_E_CANCELLED.
int UnlockDeviceSnapshot(IVexaManager* manager, const char* passwordUtf8,
                         const std::function<bool()>& cancelled = {});
// Whether the snapshot is encrypted (only an encrypted one holds the call history).
bool DeviceSnapshotEncrypted(IVexaManager* manager);
// When the snapshot was taken, in Unix seconds; 0 when there is none yet.
int64_t DeviceSnapshotTime(IVexaManager* manager);
