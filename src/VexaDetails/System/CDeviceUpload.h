#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <QStringList>

class CDeviceFileItem;
class IFileService;

// Copies files and folders of the computer into a device folder. Planned first (so the progress knows
// its total), then run step by step. Links on the computer are not followed: a link to "/" dropped by
// mistake must not copy the whole disk.
class CDeviceUpload {
public:
    struct Step {
        std::string localPath; // empty for a folder to create
        std::string devicePath;
        uint64_t bytes = 0;
    };

    // Steps that copy `localPaths` into `deviceFolder`. A dropped entry whose name is in `taken` (the
    // folder's current names) arrives as "name (2)" rather than replacing what is there.
    static std::vector<Step> Plan(const std::vector<std::string>& localPaths, const std::string& deviceFolder,
                                  std::set<std::string> taken);
    // The same for the device folder `folder`, read first so its current names are known.
    static std::vector<Step> PlanInto(CDeviceFileItem* folder, const QStringList& localPaths);

    // Runs the steps; `progress(done, total)` after each, and a false answer stops. Returns how many
    // steps failed (a stopped run counts the steps it did not do).
    static int Run(IFileService* files, const std::vector<Step>& steps,
                   const std::function<bool(size_t done, size_t total)>& progress);
};
