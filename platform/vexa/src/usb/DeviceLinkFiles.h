#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "PlistValue.h"

namespace vexa::usb {

class DeviceLinkConnection;
class TransferProgress;

// The computer's side of the device-link file requests, on one local folder. The device names files as
// "<identifier>/<path>"; only names below that identifier are served, and none that climb out of it.
class DeviceLinkFiles {
public:
    DeviceLinkFiles(std::filesystem::path root, std::string identifier);

    // Answers DLMessageCreateDirectory, DLContentsOfDirectory, DLMessageGetFreeDiskSpace,
    // DLMessageMoveItems/MoveFiles, DLMessageRemoveItems/RemoveFiles and DLMessageCopyItem. False in
    // `handled` for any other message. A VexaResult of the connection.
    int Answer(DeviceLinkConnection& link, const std::string& name, plist_t message, bool& handled);
    // DLMessageUploadFiles: the device streams files to the computer. Each replaces the file of its name
    // with a new one, never writing into the old: that may be linked to an earlier backup.
    int ReceiveFiles(DeviceLinkConnection& link, plist_t message, TransferProgress& progress);
    // DLMessageDownloadFiles: the device asks for files of the computer's folder; `progress` (may be
    // null) counts them.
    int SendFiles(DeviceLinkConnection& link, plist_t message, TransferProgress* progress);

    // The local path of a device name; false for names outside the folder.
    bool Map(const std::string& deviceName, std::filesystem::path& local) const;

private:
    int receiveFile(DeviceLinkConnection& link, bool& more, TransferProgress& progress);
    int sendFile(DeviceLinkConnection& link, const std::string& deviceName);
    int moveItems(DeviceLinkConnection& link, plist_t moves);
    plist_t contentsOf(const std::filesystem::path& folder) const;

    std::filesystem::path m_root;
    std::string m_identifier;
    std::vector<char> m_buffer;
};

} // namespace vexa::usb
