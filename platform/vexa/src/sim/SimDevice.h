#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "DeviceInfoFile.h"
#include "DeviceState.h"
#include "FaultInjector.h"
#include "SimDatabase.h"

namespace vexa::sim {

// One simulated device, seen through one connection: created when the device arrives, marked removed
// when it leaves (a later arrival of the same folder is a new SimDevice with a new handle).
//
// Folder layout under <root>/<UDID>/:
//   device.json     properties, battery, storage sizes, backup password
//   state           "plugged usb" / "unplugged usb" / "plugged wifi"; a folder without it is not a device yet
//   faults          planned failures (see FaultInjector)
//   device.sqlite   apps, backups made
//   Library/AddressBook/AddressBook.sqlitedb, AddressBookImages.sqlitedb   contacts and groups, as a phone
//   Media/          the file system the device shows ("/" of the file service)
//   Media/Books/Books.plist   the list of books, as a phone keeps it; the books beside it
//   Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb   the media database (tracks, playlists)
//   Media/PhotoData/Photos.sqlite, Media/DCIM/1nnAPPLE/   the photo library and its files, as on a phone
//   Library/SMS/sms.db, Library/SMS/Attachments/   conversations and their attachments, as on a phone
//   Applications/<bundle id>/Bundle/<Name>.app/, Applications/<bundle id>/Container/   installed apps
//   .trash/, .staging/   work areas on the same file system, never shown
class SimDevice {
public:
    explicit SimDevice(std::filesystem::path folder);
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    // Makes the folder of a new device with realistic properties for `productType` and an empty file
    // system. The device stays invisible until Publish() writes its state file.
    static int Create(const std::filesystem::path& root, const std::string& udid, const std::string& name,
                      const std::string& productType);
    static int Publish(const std::filesystem::path& root, const std::string& udid);
    static bool IsDeviceFolder(const std::filesystem::path& folder);

    const std::string& Udid() const { return m_udid; }
    const std::filesystem::path& Folder() const { return m_folder; }
    std::filesystem::path MediaRoot() const { return m_folder / "Media"; }
    std::filesystem::path ApplicationsRoot() const { return m_folder / "Applications"; }
    // The device's own files outside the media area, as under /var/mobile/Library on a phone.
    std::filesystem::path LibraryRoot() const { return m_folder / "Library"; }
    std::filesystem::path StateFile() const { return m_folder / "state"; }
    std::filesystem::path InfoFile() const { return m_folder / "device.json"; }
    std::filesystem::path FaultsFile() const { return m_folder / "faults"; }
    std::filesystem::path DatabaseFile() const { return m_folder / "device.sqlite"; }
    std::filesystem::path MediaDatabaseFile() const;
    std::filesystem::path AddressBookFile() const { return m_addressBook.File(); }
    // A private folder on the device's file system for temporary names and deleted trees.
    std::filesystem::path WorkFolder(const char* purpose) const;

    SimDatabase& Database() { return m_database; }
    SimDatabase& MediaDatabase() { return m_mediaDatabase; }
    SimDatabase& AddressBook() { return m_addressBook; }
    SimDatabase& MessageDatabase() { return m_messageDatabase; }
    SimDatabase& PhotoDatabase() { return m_photoDatabase; }

    // A device path ("/DCIM/100APPLE/IMG_0001.JPG") as a host path below Media/, or nothing when it
    // leaves the device (".." above the root, a symbolic link pointing outside).
    std::optional<std::filesystem::path> ResolveDevicePath(const std::string& devicePath) const;
    // As above, but a final symbolic link is the link itself (for removing or renaming it).
    std::optional<std::filesystem::path> ResolveDeviceEntry(const std::string& devicePath) const;
    static std::optional<std::filesystem::path> ResolveUnder(const std::filesystem::path& base,
                                                             const std::string& devicePath, bool followLast);

    // Every service operation starts here: 0 to go on, VEXA_E_UNPLUGGED when the device is gone, or the
    // failure planned for `operation` (after its delay; "unplug" unplugs the device during the call).
    int CheckCall(const char* operation);
    // For long operations to stop early when the cable is pulled.
    bool IsConnected() const;
    void MarkRemoved() { m_removed = true; }
    bool IsRemoved() const { return m_removed; }
    DeviceState State() const;
    int SetState(const DeviceState& state);

    DeviceInfoFile Info() const;
    int UpdateInfo(const std::function<void(DeviceInfoFile&)>& change);

private:
    std::filesystem::path m_folder;
    std::string m_udid;
    SimDatabase m_database;
    SimDatabase m_mediaDatabase;
    SimDatabase m_addressBook;
    SimDatabase m_messageDatabase;
    SimDatabase m_photoDatabase;
    FaultInjector m_faults;
    std::atomic<bool> m_removed{false};
    mutable std::mutex m_infoMutex;
};

} // namespace vexa::sim
