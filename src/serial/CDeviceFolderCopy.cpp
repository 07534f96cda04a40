#include "CDeviceFolderCopy.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include <vexa/VexaServices.h>

#include "CPhotoSerialFileAction.h"

namespace {

struct Child {
    std::string name;
    bool folder;
};

bool List(IFileService* files, const std::string& devicePath, std::vector<Child>* children) {
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    if (files == nullptr || files->ReadDirectory(devicePath.c_str(), &count, &entries) != 0) {
        return false;
    }
    for (int i = 0; i < count && entries != nullptr; ++i) {
        const char* name = entries[i].name;
        const char* type = entries[i].type != nullptr ? entries[i].type : "";
        if (name == nullptr || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 ||
            std::strchr(name, '/') != nullptr || *name == 0 || std::strcmp(type, "S_IFLNK") == 0) {
            continue;
        }
        children->push_back({name, std::strcmp(type, "S_IFDIR") == 0});
    }
    return true;
}

} // namespace

bool CDeviceFolderCopy::IsFolder(IFileService* files, const std::string& devicePath) {
    std::vector<Child> children;
    return List(files, devicePath, &children);
}

bool CDeviceFolderCopy::Copy(IFileService* files, const std::string& devicePath,
                             const std::string& localFolder) {
    std::vector<Child> children;
    std::error_code error;
    if (!List(files, devicePath, &children) ||
        (!std::filesystem::create_directories(localFolder, error) && error)) {
        return false;
    }
    const std::string base = devicePath.empty() || devicePath.back() != '/' ? devicePath + '/' : devicePath;
    bool complete = true;
    for (const Child& child : children) {
        const std::string local = localFolder + '/' + child.name;
        if (child.folder) {
            complete = Copy(files, base + child.name, local) && complete;
        } else {
            complete = CPhotoSerialFileAction::CopyFile(files, base + child.name, local) ==
                           IPhotoSerialAction::Copied &&
                       complete;
        }
    }
    return complete;
}
