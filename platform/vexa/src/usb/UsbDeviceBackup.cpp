#include "UsbDeviceBackup.h"

#include <cstdio>
#include <ctime>

#include <vexa/VexaResult.h>

#include "BackupStaging.h"
#include "LockdownSession.h"
#include "MobileBackupSession.h"
#include "TransferProgress.h"
#include "UsbBackupHistory.h"
#include "UsbDevice.h"
#include "formats/BackupTypes.h"
#include "formats/BackupWriter.h"
#include "formats/Plist.h"
#include "sim/BackupFolderSwap.h"

namespace fs = std::filesystem;

namespace vexa::usb {

namespace {

// Info.plist's keys and the lockdown values they repeat.
constexpr const char* kInfoKeys[][2] = {
    {"Device Name", "DeviceName"},     {"Display Name", "DeviceName"},
    {"Product Type", "ProductType"},   {"Product Version", "ProductVersion"},
    {"Serial Number", "SerialNumber"}, {"IMEI", "InternationalMobileEquipmentIdentity"},
    {"Phone Number", "PhoneNumber"},   {"Build Version", "BuildVersion"},
};

// Removes a work folder however the operation ends; a moved-away folder is simply gone already.
class FolderGuard {
public:
    explicit FolderGuard(fs::path folder)
        : m_folder(std::move(folder)) {}
    ~FolderGuard() {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
    FolderGuard(const FolderGuard&) = delete;
    FolderGuard& operator=(const FolderGuard&) = delete;

private:
    fs::path m_folder;
};

} // namespace

UsbDeviceBackup::UsbDeviceBackup(const UsbDevice& device, BackupProgressCallback progress, void* context)
    : m_device(device)
    , m_callback(progress)
    , m_context(context) {}

int UsbDeviceBackup::Backup(const fs::path& folder, bool full) {
    std::error_code error;
    const bool existed = fs::exists(folder, error);
    const int result = backupInto(folder, full);
    if (result != VEXA_OK && !existed) {
        fs::remove(folder, error); // a folder made here goes again when nothing else was put into it
    }
    return result;
}

int UsbDeviceBackup::readProperties(formats::BackupProperties& properties) {
    LockdownSession session(m_device);
    PlistPtr values;
    if (int result = session.GetValue(nullptr, nullptr, values); result != VEXA_OK) {
        return result;
    }
    for (const auto& [infoKey, lockdownKey] : kInfoKeys) {
        properties.info[infoKey] = formats::Plist::String(values.get(), lockdownKey);
    }
    properties.info["Unique Identifier"] = m_device.Udid();
    properties.info["GUID"] = m_device.Udid();
    properties.info["Target Identifier"] = m_device.Udid();
    properties.info["Last Backup Date"] = formats::Plist::IsoTime(std::time(nullptr));
    return VEXA_OK;
}

void UsbDeviceBackup::remember(const fs::path& folder, formats::BackupProperties& properties, bool encrypted,
                               uint64_t size) {
    sim::BackupEntry entry;
    std::error_code error;
    entry.udid = m_device.Udid();
    entry.folder = fs::absolute(folder, error).lexically_normal().string();
    entry.deviceName = properties.info["Device Name"];
    entry.productType = properties.info["Product Type"];
    entry.productVersion = properties.info["Product Version"];
    entry.serialNumber = properties.info["Serial Number"];
    entry.encrypted = encrypted;
    entry.size = size;
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    entry.dateTime = text;
    // The backup is made either way; without its entry it is still found by importing the folder.
    if (UsbBackupHistory().Add(entry) != VEXA_OK) {
        std::fprintf(stderr, "vexa: the list of usb backups could not be written\n");
    }
}

int UsbDeviceBackup::backupInto(const fs::path& folder, bool full) {
    if (!m_device.IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error)) {
        return VEXA_E_IO;
    }
    BackupFolderLock lock(folder);
    if (!lock.Held()) {
        if (lock.Busy()) {
            std::fprintf(stderr, "vexa: a backup of this device into %s is already running\n",
                         folder.c_str());
            return VEXA_E_EXISTS;
        }
        return VEXA_E_IO;
    }
    const fs::path staging = sim::BackupFolderSwap::MakeStaging(folder);
    if (staging.empty()) {
        return VEXA_E_IO;
    }
    FolderGuard removeStaging(staging);
    // The device brings the earlier backup up to date in the staging folder: it reads the earlier
    // manifest there, sends what changed and removes what is gone.
    full = full || !BackupStaging::HasEarlier(folder);
    if (!full && !BackupStaging::TakeEarlier(folder, staging)) {
        return VEXA_E_IO;
    }
    TransferProgress progress(m_callback, m_context);
    {
        MobileBackupSession session(m_device, progress);
        if (int result = session.Backup(staging, full); result != VEXA_OK) {
            return result;
        }
    }
    // A device that reports success without the files of a backup has not made one.
    if (!fs::exists(staging / "Manifest.plist", error) || !fs::exists(staging / "Manifest.db", error)) {
        return VEXA_E_PROTOCOL;
    }
    formats::BackupProperties properties;
    if (int result = readProperties(properties); result != VEXA_OK) {
        return result;
    }
    // Info.plist may still be the earlier backup's, linked: a new file takes its place.
    fs::remove(staging / "Info.plist", error);
    if (!formats::BackupWriter::WriteInfoPlist(staging, properties)) {
        return VEXA_E_IO;
    }
    const formats::PlistPtr manifest = formats::Plist::ParseFile((staging / "Manifest.plist").string());
    const bool encrypted = manifest && formats::Plist::Bool(manifest.get(), "IsEncrypted");
    const uint64_t size = BackupStaging::Size(staging);
    if (int result = sim::BackupFolderSwap::Replace(folder, staging); result != VEXA_OK) {
        return result;
    }
    progress.Finish();
    if (m_remember) {
        remember(folder, properties, encrypted, size);
    }
    return VEXA_OK;
}

int UsbDeviceBackup::Restore(const fs::path& folder, const std::string& password) {
    if (!m_device.IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    const formats::PlistPtr manifest = formats::Plist::ParseFile((folder / "Manifest.plist").string());
    if (!manifest || plist_get_node_type(manifest.get()) != PLIST_DICT) {
        return VEXA_E_NOT_A_BACKUP;
    }
    if (formats::Plist::Bool(manifest.get(), "IsEncrypted") && password.empty()) {
        return VEXA_E_PASSWORD;
    }
    // The device asks for the files under the identifier of the device that made the backup.
    plist_t lockdown = formats::Plist::Item(manifest.get(), "Lockdown", PLIST_DICT);
    std::string source = lockdown ? formats::Plist::String(lockdown, "UniqueDeviceID") : std::string();
    if (source.empty() || source.find('/') != std::string::npos || source == "." || source == "..") {
        source = m_device.Udid();
    }
    TransferProgress progress(m_callback, m_context);
    MobileBackupSession session(m_device, progress);
    const int result = session.Restore(folder, source, password);
    if (result == VEXA_OK) {
        progress.Finish();
    }
    return result;
}

} // namespace vexa::usb
