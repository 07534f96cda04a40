#pragma once

#include <filesystem>
#include <string>

#include "DeviceLinkConnection.h"

namespace vexa::usb {

class DeviceLinkFiles;
class TransferProgress;
class UsbDevice;

// One whole-device backup or restore over com.apple.mobilebackup2. The device drives it: the computer
// asks once, then answers the device's file requests on a local folder until the device reports the
// outcome. The device makes (and, with a backup password set on it, encrypts) the backup itself.
class MobileBackupSession {
public:
    MobileBackupSession(const UsbDevice& device, TransferProgress& progress);

    // The device writes its backup into `folder`. Unless `full`, the folder holds the earlier backup of
    // the device, which the device brings up to date with the files changed since. A VexaResult.
    int Backup(const std::filesystem::path& folder, bool full);
    // The device reads the backup in `folder`, made of the device `sourceId`, and applies it.
    int Restore(const std::filesystem::path& folder, const std::string& sourceId,
                const std::string& password);

    // How long the device may take to answer a request, and to go on with its own work.
    static constexpr std::chrono::milliseconds kAnswerLimit{5000};
    static constexpr std::chrono::milliseconds kWorkLimit{120000};

private:
    int open();
    int hello();
    int request(const char* what, const std::string& sourceId, plist_t options);
    // Serves the device's requests until it reports the outcome.
    int serve(DeviceLinkFiles& files, bool restoring);

    const UsbDevice& m_device;
    TransferProgress& m_progress;
    DeviceLinkConnection m_link;
    bool m_cancellable = true;
};

} // namespace vexa::usb
