#pragma once

#include <string>

class IFileService;

// Copies a folder of the device, with everything in it, into a local folder. Links on the device are
// not followed and names that could leave the local folder are refused.
class CDeviceFolderCopy {
public:
    // True when the device path names a folder that can be listed.
    static bool IsFolder(IFileService* files, const std::string& devicePath);
    // Creates `localFolder` and fills it; false when anything could not be copied.
    static bool Copy(IFileService* files, const std::string& devicePath, const std::string& localFolder);
};
