#pragma once

#include <cstdint>
#include <string>

// One entry of a device's file system (or of an app's container): a file or a folder with its
// children. Paths and names are UTF-8. An entry that could not be read is "not loaded" and answers
// empty texts and zeros.
class IDeviceFileManager {
public:
    virtual ~IDeviceFileManager() = default;

    // Reads the entry again from the device; a folder drops its children and reads their list anew.
    // The parent link stays. False when the device could not be read.
    virtual bool Refresh() = 0;
    virtual std::string GetName() const = 0;
    virtual std::string GetPath() const = 0;
    virtual std::string GetParentPath() const = 0;
    virtual bool Rename(const std::string& newName) = 0;
    virtual bool CreateFolder(const std::string& name) = 0;
    virtual void SetParent(IDeviceFileManager* parent) = 0;
    virtual IDeviceFileManager* GetParent() const = 0;
    // The children read so far: a folder's list is read on first need, not with the folder.
    virtual int GetChildCount() const = 0;
    virtual IDeviceFileManager* GetChild(int index) const = 0;
    // Copies the entry (a folder with everything in it) into a folder on the computer.
    virtual bool ExportTo(const std::string& localFolder) = 0;
    virtual int64_t GetSize() const = 0;
    virtual int64_t GetCreateTime() const = 0; // seconds since 1970
    virtual int64_t GetModifyTime() const = 0; // seconds since 1970
    virtual bool IsDirectory() const = 0;
    virtual bool IsLoaded() const = 0;
    virtual bool IsRoot() const = 0;
};
