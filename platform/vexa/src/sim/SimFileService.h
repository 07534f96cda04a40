#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <vexa/VexaServices.h>

#include "ResultArena.h"

namespace vexa::sim {

class SimDevice;

// The device's file system, rooted at Media/ (or, for an app's container, at that app's folder).
// Writes go to a hidden name on the same file system first and are renamed into place, and deletions
// move the entry out of sight before removing it, so no failure leaves half a file or half a folder.
class SimFileService : public IFileService {
public:
    SimFileService(std::shared_ptr<SimDevice> device, std::filesystem::path root, bool isContainer);

    int CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) override;
    int CopyFileToDevice(const char16_t* localPath, const char16_t* devicePath) override;
    int MakeDirectory(const char* devicePath) override;
    int RemovePath(const char* devicePath) override;
    int RenamePath(const char* oldPath, const char* newPath) override;
    int ReadDirectory(const char* devicePath, int* count, DirectoryEntryRecord** entries) override;
    int OpenAppContainer(const char* appId, IFileService** container) override;
    int CloseAppContainer(IFileService* container) override;

private:
    // 0 and the host path, or why the device path cannot be used.
    int resolve(const std::string& devicePath, bool followLast, std::filesystem::path& hostPath) const;
    bool isRoot(const std::filesystem::path& hostPath) const;
    int checkSpaceFor(uint64_t bytes) const;

    std::shared_ptr<SimDevice> m_device;
    std::filesystem::path m_root;
    bool m_isContainer;
    PerThreadResults<> m_readDirectory;
    // Measuring a large device takes a while, so a copy reuses a recent measurement.
    mutable std::mutex m_usageMutex;
    mutable std::chrono::steady_clock::time_point m_usageTime;
    mutable uint64_t m_usedBytes = 0;
    mutable bool m_usageKnown = false;
    std::mutex m_containerMutex;
    std::vector<std::unique_ptr<SimFileService>> m_containers;
};

} // namespace vexa::sim
