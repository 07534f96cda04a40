#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

namespace vexa::formats {
struct BackupFile;
struct BackupProperties;
} // namespace vexa::formats

namespace vexa::sim {

class EarlierBackup;
class SimDevice;
struct DeviceInfoFile;

// Whole-device backup and restore in the standard backup layout. A backup holds the device database
// (HomeDomain, Library/Device/device.sqlite), every file below Media/ and Library/ in the domain a phone
// uses (CameraRollDomain for Media/DCIM and Media/PhotoData, MediaDomain for the rest of Media/ and for
// Library/SMS/Attachments, HomeDomain for the rest of Library/) and each installed app's folder
// (AppDomain-<bundle id>). The device's backup password, when set, encrypts it.
class DeviceBackup {
public:
    // `progress` (may be null) hears after each file and may cancel.
    explicit DeviceBackup(std::shared_ptr<SimDevice> device, BackupProgressCallback progress = nullptr,
                          void* context = nullptr);

    // The backup is written into a fresh folder inside `folder` and swapped in when complete, so a failed
    // or cancelled one leaves the folder's earlier backup as it was. Unless `full`, the files unchanged
    // since that earlier backup (a plain one of this device) are taken from it instead of the device.
    int Backup(const std::filesystem::path& folder, bool full = false);
    // Everything is unpacked beside the device first and swapped in only when complete; the device keeps
    // its own identity, name and list of backups made.
    int Restore(const std::filesystem::path& folder, const std::string& password);
    // For a backup that is sent on and removed at once: plain contents are linked, not copied.
    void MakeTransientSnapshots() { m_transient = true; }

    static constexpr const char* kDatabaseDomain = "HomeDomain";
    static constexpr const char* kDatabasePath = "Library/Device/device.sqlite";

private:
    int backupInto(const std::filesystem::path& folder);
    // The snapshots stand in for the live databases; an empty path takes the file as it is.
    int collect(const std::filesystem::path& mediaDatabaseSnapshot,
                const std::filesystem::path& messageDatabaseSnapshot,
                const std::filesystem::path& addressBookSnapshot,
                const std::filesystem::path& photoLibrarySnapshot, std::vector<formats::BackupFile>& files);
    int write(const std::filesystem::path& staging, const formats::BackupProperties& properties,
              const DeviceInfoFile& info, const std::vector<formats::BackupFile>& files,
              const EarlierBackup& earlier);
    // Counts a handled file; VEXA_E_CANCELLED when the caller asked to stop.
    int advance(uint64_t bytes);
    // Tells the caller where the work stands; VEXA_E_CANCELLED when it asked to stop.
    int report();
    // Reports `files` counted so far, at most ten times a second, before the totals are known.
    int counting(uint64_t files);
    int unpack(const std::filesystem::path& folder, const std::string& password,
               const std::filesystem::path& staging);
    int swapIn(const std::filesystem::path& staging, const std::filesystem::path& old);

    std::shared_ptr<SimDevice> m_device;
    BackupProgressCallback m_callback;
    void* m_context;
    BackupProgress m_progress{};
    std::chrono::steady_clock::time_point m_lastCount = std::chrono::steady_clock::now();
    bool m_transient = false;
    bool m_full = false;
    std::filesystem::path m_snapshots; // where the databases' copies for this backup are
};

} // namespace vexa::sim
