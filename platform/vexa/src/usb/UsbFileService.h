#pragma once

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

// The device's file system over AFC: the media folder, or an app's shared documents. One connection is
// kept and reopened after a failure; operations take turns on it. Copies go to a hidden name first and
// are renamed into place, so a broken transfer leaves no half file behind on either side.
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

    // "/a/./b//c" as "/a/b/c"; false when the path climbs above the root.
    static bool NormalisePath(const std::string& path, std::string& normalised);

private:
    // Runs `operation` on the open connection (opening it first); a failed call drops the connection.
    int withConnection(const std::function<int(AfcConnection&)>& operation);

    std::shared_ptr<UsbDevice> m_device;
    Opener m_opener;
    std::mutex m_connectionMutex;
    std::unique_ptr<AfcConnection> m_connection;
    sim::PerThreadResults<> m_readDirectory;
    std::mutex m_containerMutex;
    std::vector<std::unique_ptr<UsbFileService>> m_containers;
};

} // namespace vexa::usb
