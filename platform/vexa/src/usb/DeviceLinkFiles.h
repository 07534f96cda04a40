#pragma once

#include <filesystem>
#include <string>

#include <vexa/VexaRecords.h>

#include "PlistValue.h"

namespace vexa::usb {

class DeviceLinkConnection;

// Files and bytes moved so far, passed to the caller's callback after each file; the callback may stop
// the transfer. The device never says how many files a backup holds, only its bytes: while one runs the
// file total is estimated from the files done so far (always at least one more), and exact at the end.
class TransferProgress {
public:
    TransferProgress(BackupProgressCallback callback, void* context)
        : m_callback(callback)
        , m_context(context) {}

    void SetTotals(uint64_t files, uint64_t bytes);
    void RaiseByteTotal(uint64_t bytes);
    // Counts a finished file; VEXA_E_CANCELLED when the caller asked to stop.
    int Advance(uint64_t bytes);
    // Reports the figures as they are (while the device works); VEXA_E_CANCELLED as above.
    int Check();
    void Finish();
    const BackupProgress& Figures() const { return m_progress; }

private:
    int report();

    BackupProgressCallback m_callback;
    void* m_context;
    BackupProgress m_progress{};
    bool m_filesKnown = false;
};

// The computer's side of the device-link file requests, on one local folder. The device names files as
// "<identifier>/<path>"; only names below that identifier are served, and none that climb out of it.
class DeviceLinkFiles {
public:
    DeviceLinkFiles(std::filesystem::path root, std::string identifier);

    // Answers DLMessageCreateDirectory, DLContentsOfDirectory, DLMessageGetFreeDiskSpace,
    // DLMessageMoveItems/MoveFiles, DLMessageRemoveItems/RemoveFiles and DLMessageCopyItem. False in
    // `handled` for any other message. A VexaResult of the connection.
    int Answer(DeviceLinkConnection& link, const std::string& name, plist_t message, bool& handled);
    // DLMessageUploadFiles: the device streams files to the computer.
    int ReceiveFiles(DeviceLinkConnection& link, plist_t message, TransferProgress& progress);
    // DLMessageDownloadFiles: the device asks for files of the computer's folder.
    int SendFiles(DeviceLinkConnection& link, plist_t message, TransferProgress& progress);

    // The local path of a device name; false for names outside the folder.
    bool Map(const std::string& deviceName, std::filesystem::path& local) const;

private:
    int receiveFile(DeviceLinkConnection& link, bool& more, TransferProgress& progress);
    int sendFile(DeviceLinkConnection& link, const std::string& deviceName);
    int moveItems(DeviceLinkConnection& link, plist_t moves);
    plist_t contentsOf(const std::filesystem::path& folder) const;

    std::filesystem::path m_root;
    std::string m_identifier;
};

} // namespace vexa::usb
