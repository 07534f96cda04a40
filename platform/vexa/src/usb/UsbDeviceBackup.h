#pragma once

#include <filesystem>
#include <string>

#include <vexa/VexaRecords.h>

namespace vexa::formats {
struct BackupProperties;
} // namespace vexa::formats

namespace vexa::usb {

class UsbDevice;

// Whole-device backup and restore of a usb device, in the folder layout the device itself writes
// (Info.plist, Manifest.plist, Manifest.db, Status.plist and the two-hex-digit folders).
class UsbDeviceBackup {
public:
    UsbDeviceBackup(const UsbDevice& device, BackupProgressCallback progress, void* context);

    // The device's files go into a fresh folder inside `folder`, which replaces the folder's earlier
    // backup only once the device reports success; a failed or cancelled backup leaves it as it was.
    // The device sends only what changed since that earlier backup, unless `full` or there is none.
    // VEXA_E_EXISTS while another backup goes into the same folder.
    int Backup(const std::filesystem::path& folder, bool full = false);
    // The backup is the library's own (a snapshot to read the device through): the list of backups the
    // user made does not show it.
    void KeepOutOfHistory() { m_remember = false; }
    // The backup in `folder` goes to the device; with a password when the backup is encrypted.
    int Restore(const std::filesystem::path& folder, const std::string& password);

private:
    int backupInto(const std::filesystem::path& folder, bool full);
    // Info.plist's values, from the device.
    int readProperties(formats::BackupProperties& properties);
    void remember(const std::filesystem::path& folder, formats::BackupProperties& properties, bool encrypted,
                  uint64_t size);

    const UsbDevice& m_device;
    BackupProgressCallback m_callback;
    void* m_context;
    bool m_remember = true;
};

} // namespace vexa::usb
