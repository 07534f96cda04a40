#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <vexa/VexaServices.h>

#include "sim/ResultArena.h"

namespace vexa::usb {

class AfcConnection;
class UsbDevice;

// The device's file system over AFC: the media folder, or an app's shared documents. Up to
// kConnections connections are kept, so copies from several threads run side by side; a connection is
// reopened after a failure. A copy appears under its name only once whole (on the device a hidden name
// renamed into place, on the computer a PendingLocalFile), so a broken transfer leaves no half file
// behind on either side.
class UsbFileService : public IFileService {
public:
    using Opener = std::function<int(std::unique_ptr<AfcConnection>&)>;

    explicit UsbFileService(std::shared_ptr<UsbDevice> device);
    UsbFileService(std::shared_ptr<UsbDevice> device, Opener opener);
    ~UsbFileService() override;

    int CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) override;
    int CopyFileToDevice(const char16_t* localPath, const char16_t* devicePath) override;
    int MakeDirectory(const char* devicePath) override;
    int RemovePath(const char* devicePath) override;
    int RenamePath(const char* oldPath, const char* newPath) override;
    int ReadDirectory(const char* devicePath, int* count, DirectoryEntryRecord** entries) override;
    int OpenAppContainer(const char* appId, IFileService** container) override;
    int CloseAppContainer(IFileService* container) override;
    int CopyLanes() const override { return kConnections; }

    // A phone serves several AFC connections at once. Copies of small files wait on round trips, not on
    // either processor: six in flight keep the cable and both ends busy.
    static constexpr int kConnections = 6;

    // "/a/./b//c" as "/a/b/c"; false when the path climbs above the root.
    static bool NormalisePath(const std::string& path, std::string& normalised);

private:
    // Runs `operation` on an idle connection (opening one when none is idle and fewer than
    // kConnections are open, waiting otherwise); a failed call drops its connection.
    int withConnection(const std::function<int(AfcConnection&)>& operation);

    std::shared_ptr<UsbDevice> m_device;
    Opener m_opener;
    std::mutex m_connectionMutex;
    std::condition_variable m_connectionReturned;
    std::vector<std::unique_ptr<AfcConnection>> m_idle;
    int m_inUse = 0;
    sim::PerThreadResults<> m_readDirectory;
    std::mutex m_containerMutex;
    std::vector<std::unique_ptr<UsbFileService>> m_containers;
};

} // namespace vexa::usb
