#pragma once

#include <memory>

#include "BackupContent.h"
#include "IVexaManager.h"

// A backup folder shown as a device that can be read but not changed. The manager takes an opened (and,
// when encrypted, unlocked) BackupContent and hands out services that read through it: contacts,
// messages, call history and the camera roll's photos, whose GetWriteAccess answers
// kContentReadOnlyBackup and whose changes answer VEXA_E_READ_ONLY. Media, books, apps and the file
// system answer VEXA_E_NOT_SUPPORTED_YET. The manager is bound at once to a handle of its own, never one
// a connected device has, and is released with DeleteVexaManager like any other; the backup's decrypted
// copies go with it. Null when `content` is null or not opened.
IVexaManager* OpenBackupDevice(std::unique_ptr<BackupContent> content);

// Whether the handle is one OpenBackupDevice gave out.
bool IsBackupDeviceHandle(int deviceHandle);
