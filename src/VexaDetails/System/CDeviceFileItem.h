#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "IDeviceFileManager.h"

class IFileService;
struct DirectoryEntryRecord;

// An entry of the device's file system as the file service lists it. A folder reads its children the
// first time they are asked for (ReadChildren), so opening the browser costs one listing, not one per
// folder of the device. Children belong to their folder. All device calls go through the file service
// given at construction (not owned).
class CDeviceFileItem : public IDeviceFileManager {
public:
    // The entry at `path` ("/" or empty for the root, whose children are read at once). `appId` names
    // the app whose container `files` browses; empty for the device's own file system.
    CDeviceFileItem(IFileService* files, const std::string& path, const std::string& appId = std::string());
    ~CDeviceFileItem() override;

    CDeviceFileItem(const CDeviceFileItem&) = delete;
    CDeviceFileItem& operator=(const CDeviceFileItem&) = delete;

    bool Refresh() override;
    std::string GetName() const override;
    std::string GetPath() const override;
    std::string GetParentPath() const override;
    bool Rename(const std::string& newName) override;
    bool CreateFolder(const std::string& name) override;
    void SetParent(IDeviceFileManager* parent) override;
    IDeviceFileManager* GetParent() const override;
    int GetChildCount() const override;
    CDeviceFileItem* GetChild(int index) const override;
    bool ExportTo(const std::string& localFolder) override;
    int64_t GetSize() const override;
    int64_t GetCreateTime() const override;
    int64_t GetModifyTime() const override;
    bool IsDirectory() const override;
    bool IsLoaded() const override { return m_loaded; }
    bool IsRoot() const override { return m_isRoot; }

    // Reads a folder's children when they have not been read yet; true when they are there.
    bool ReadChildren();
    bool HasReadChildren() const { return m_childrenRead; }
    // The device's answer to the last failed read of this folder (0 when it was read).
    int ReadError() const { return m_readError; }
    // Re-reads this entry and, below it, every folder `isOpen` names (by path) that was read before.
    bool RefreshOpen(const std::function<bool(const std::string& path)>& isOpen);

    // Folder children only, for the folder tree: their count, the n-th, and this item's place among
    // its parent's folders (-1 for a file or the root).
    int GetFolderCount() const { return static_cast<int>(m_folderRows.size()); }
    CDeviceFileItem* GetFolder(int index) const;
    int FolderRow() const { return m_folderRow; }
    int RowOf(const CDeviceFileItem* child) const;
    CDeviceFileItem* ParentItem() const { return m_parentItem; }
    // The child named `name`, or null.
    CDeviceFileItem* FindChild(const std::string& name) const;
    // The entry at the absolute `path` below this one (the root) among what has been read, or null.
    CDeviceFileItem* FindDescendant(const std::string& path);

    // Removes the entry from the device (a folder with everything in it); the root is never removed.
    bool RemoveFromDevice();
    // Copies the entry to exactly `localPath` (a folder becomes that folder).
    bool ExportAs(const std::string& localPath);
    IFileService* FileService() const { return m_files; }
    const std::string& AppId() const { return m_appId; }

private:
    CDeviceFileItem(IFileService* files, const std::string& parentPath, const DirectoryEntryRecord& record,
                    const std::string& appId, CDeviceFileItem* parent);

    void ClearChildren();
    bool ReadEntryFromParent();
    void AddChild(std::unique_ptr<CDeviceFileItem> child);

    std::string m_name;
    std::string m_path;
    std::string m_parentPath;
    std::string m_appId;
    int64_t m_size = 0;
    int64_t m_createTime = 0;
    int64_t m_modifyTime = 0;
    bool m_isFolder = false;
    bool m_loaded = false;
    bool m_isRoot = false;
    bool m_childrenRead = false;
    int m_readError = 0;
    int m_folderRow = -1;
    CDeviceFileItem* m_parentItem = nullptr;
    std::vector<std::unique_ptr<CDeviceFileItem>> m_children;
    std::vector<int> m_folderRows;
    IFileService* m_files;
};
