#include "CDeviceFileItem.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <vexa/VexaResult.h>
#include <vexa/VexaServices.h>

#include "CDeviceFileName.h"
#include "CDeviceFolderCopy.h"
#include "CPhotoSerialFileAction.h"

namespace {

int64_t Seconds(const char* nanoseconds) {
    if (nanoseconds == nullptr) {
        return 0;
    }
    return static_cast<int64_t>(std::strtod(nanoseconds, nullptr) / 1000.0 / 1000.0 / 1000.0);
}

int64_t Bytes(const char* text) {
    return text != nullptr ? std::strtoll(text, nullptr, 10) : 0;
}

bool IsSelfOrParent(const char* name) {
    return name == nullptr || *name == 0 || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

} // namespace

CDeviceFileItem::CDeviceFileItem(IFileService* files, const std::string& path, const std::string& appId)
    : m_appId(appId)
    , m_files(files) {
    m_path = path;
    Refresh();
}

CDeviceFileItem::CDeviceFileItem(IFileService* files, const std::string& parentPath,
                                 const DirectoryEntryRecord& record, const std::string& appId,
                                 CDeviceFileItem* parent)
    : m_name(record.name)
    , m_path(CDeviceFileName::Join(parentPath, record.name))
    , m_parentPath(parentPath)
    , m_appId(appId)
    , m_parentItem(parent)
    , m_files(files) {
    m_loaded = true;
    if (record.type == nullptr) {
        return;
    }
    m_size = Bytes(record.size);
    m_modifyTime = Seconds(record.modifyTime);
    m_createTime = Seconds(record.createTime);
    m_isFolder = std::strstr(record.type, "DIR") != nullptr;
    if (m_isFolder) {
        m_size = 0;
    }
}

CDeviceFileItem::~CDeviceFileItem() = default;

void CDeviceFileItem::ClearChildren() {
    m_children.clear();
    m_folderRows.clear();
    m_childrenRead = false;
}

void CDeviceFileItem::AddChild(std::unique_ptr<CDeviceFileItem> child) {
    if (child->m_isFolder) {
        child->m_folderRow = static_cast<int>(m_folderRows.size());
        m_folderRows.push_back(static_cast<int>(m_children.size()));
    }
    m_children.push_back(std::move(child));
}

bool CDeviceFileItem::Refresh() {
    ClearChildren();
    m_readError = 0;
    if (m_path.empty() || m_path == "/") {
        m_isRoot = true;
        m_name = m_path;
        m_parentPath.clear();
        m_size = m_createTime = m_modifyTime = 0;
        m_loaded = true;
        m_isFolder = true;
        return ReadChildren();
    }
    std::string parentPath;
    std::string name;
    CDeviceFileName::Split(m_path, &parentPath, &name);
    m_isRoot = false;
    m_name = name;
    m_parentPath = parentPath;
    m_path = CDeviceFileName::Join(parentPath, name);
    // A folder is known by its listing; anything else by its line in its folder's listing.
    const bool wasFolder = m_isFolder;
    const bool wasLoaded = m_loaded;
    m_isFolder = true;
    if (ReadChildren()) {
        m_loaded = true;
        return true;
    }
    const int folderError = m_readError;
    if (folderError != VEXA_E_NOT_FOUND && folderError != VEXA_E_INVALID_ARGUMENT && wasLoaded) {
        // The device did not answer (unplugged, busy): the entry stays what it was, without children.
        m_isFolder = wasFolder;
        return false;
    }
    m_isFolder = false;
    const bool found = ReadEntryFromParent();
    if (found && m_isFolder) {
        m_readError = folderError; // a folder that is there but could not be listed
        return false;
    }
    return found;
}

bool CDeviceFileItem::ReadEntryFromParent() {
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    m_loaded = false;
    const int result =
        m_files != nullptr ? m_files->ReadDirectory(m_parentPath.c_str(), &count, &entries) : -1;
    if (result != 0) {
        m_readError = result;
        return false;
    }
    for (int i = 0; i < count && entries != nullptr; ++i) {
        if (!IsSelfOrParent(entries[i].name) && m_name == entries[i].name) {
            const CDeviceFileItem entry(m_files, m_parentPath, entries[i], m_appId, nullptr);
            m_loaded = true;
            m_size = entry.m_size;
            m_modifyTime = entry.m_modifyTime;
            m_createTime = entry.m_createTime;
            m_isFolder = entry.m_isFolder;
            return true;
        }
    }
    return false;
}

bool CDeviceFileItem::ReadChildren() {
    if (!m_isFolder) {
        return false;
    }
    if (m_childrenRead) {
        return true;
    }
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    const int result = m_files != nullptr ? m_files->ReadDirectory(m_path.c_str(), &count, &entries) : -1;
    if (result != 0) {
        m_readError = result;
        return false;
    }
    m_readError = 0;
    m_children.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count && entries != nullptr; ++i) {
        const char* name = entries[i].name;
        // A name with a separator would be a path, not an entry of this folder.
        if (IsSelfOrParent(name) || std::strchr(name, '/') != nullptr) {
            continue;
        }
        AddChild(std::unique_ptr<CDeviceFileItem>(
            new CDeviceFileItem(m_files, m_path, entries[i], m_appId, this)));
    }
    m_childrenRead = true;
    return true;
}

bool CDeviceFileItem::RefreshOpen(const std::function<bool(const std::string&)>& isOpen) {
    if (!Refresh()) {
        return false;
    }
    bool complete = true;
    for (const int row : m_folderRows) {
        CDeviceFileItem* folder = m_children[static_cast<size_t>(row)].get();
        if (isOpen && isOpen(folder->m_path)) {
            complete = folder->ReadChildren() && complete;
            if (folder->m_childrenRead) {
                for (int i = 0; i < folder->GetFolderCount(); ++i) {
                    CDeviceFileItem* inner = folder->GetFolder(i);
                    if (isOpen(inner->m_path)) {
                        complete = inner->RefreshOpen(isOpen) && complete;
                    }
                }
            }
        }
    }
    return complete;
}

std::string CDeviceFileItem::GetName() const {
    return m_loaded ? m_name : std::string();
}

std::string CDeviceFileItem::GetPath() const {
    return m_loaded ? m_path : std::string();
}

std::string CDeviceFileItem::GetParentPath() const {
    return m_loaded ? m_parentPath : std::string();
}

void CDeviceFileItem::SetParent(IDeviceFileManager* parent) {
    m_parentItem = dynamic_cast<CDeviceFileItem*>(parent);
}

IDeviceFileManager* CDeviceFileItem::GetParent() const {
    return m_loaded ? m_parentItem : nullptr;
}

int CDeviceFileItem::GetChildCount() const {
    return m_loaded && m_isFolder ? static_cast<int>(m_children.size()) : 0;
}

CDeviceFileItem* CDeviceFileItem::GetChild(int index) const {
    if (index < 0 || index >= GetChildCount()) {
        return nullptr;
    }
    return m_children[static_cast<size_t>(index)].get();
}

CDeviceFileItem* CDeviceFileItem::GetFolder(int index) const {
    if (index < 0 || index >= GetFolderCount()) {
        return nullptr;
    }
    return m_children[static_cast<size_t>(m_folderRows[static_cast<size_t>(index)])].get();
}

int CDeviceFileItem::RowOf(const CDeviceFileItem* child) const {
    for (size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].get() == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CDeviceFileItem* CDeviceFileItem::FindChild(const std::string& name) const {
    for (const auto& child : m_children) {
        if (child->m_name == name) {
            return child.get();
        }
    }
    return nullptr;
}

CDeviceFileItem* CDeviceFileItem::FindDescendant(const std::string& path) {
    if (CDeviceFileName::HasParentStep(path)) {
        return nullptr;
    }
    CDeviceFileItem* item = this;
    size_t start = 0;
    while (item != nullptr && start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            item = item->FindChild(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return item;
}

bool CDeviceFileItem::Rename(const std::string& newName) {
    if (!m_loaded || m_isRoot || m_files == nullptr ||
        CDeviceFileName::CheckName(newName) != CDeviceFileName::Check::Ok) {
        return false;
    }
    if (newName == m_name) {
        return true;
    }
    if (m_parentItem != nullptr && m_parentItem->FindChild(newName) != nullptr) {
        return false;
    }
    const std::string newPath = CDeviceFileName::Join(m_parentPath, newName);
    if (m_files->RenamePath(m_path.c_str(), newPath.c_str()) != 0) {
        return false;
    }
    m_name = newName;
    m_path = newPath;
    // Children read before the rename name their old folder; they are read again on need.
    if (m_isFolder) {
        ClearChildren();
    }
    return true;
}

bool CDeviceFileItem::CreateFolder(const std::string& name) {
    if (!m_loaded || !m_isFolder || m_files == nullptr ||
        CDeviceFileName::CheckName(name) != CDeviceFileName::Check::Ok || !ReadChildren() ||
        FindChild(name) != nullptr) {
        return false;
    }
    const std::string path = CDeviceFileName::Join(m_path, name);
    if (m_files->MakeDirectory(path.c_str()) != 0) {
        return false;
    }
    DirectoryEntryRecord record{};
    record.name = name.c_str();
    record.type = "S_IFDIR";
    auto child =
        std::unique_ptr<CDeviceFileItem>(new CDeviceFileItem(m_files, m_path, record, m_appId, this));
    child->m_childrenRead = true;
    AddChild(std::move(child));
    return true;
}

bool CDeviceFileItem::RemoveFromDevice() {
    if (!m_loaded || m_isRoot || m_files == nullptr) {
        return false;
    }
    return m_files->RemovePath(m_path.c_str()) == 0;
}

bool CDeviceFileItem::ExportTo(const std::string& localFolder) {
    if (!m_loaded || localFolder.empty() || m_name.empty() ||
        CDeviceFileName::CheckName(m_name) != CDeviceFileName::Check::Ok) {
        return false;
    }
    return ExportAs(CDeviceFileName::Join(localFolder, m_name));
}

bool CDeviceFileItem::ExportAs(const std::string& localPath) {
    if (!m_loaded || m_files == nullptr || localPath.empty()) {
        return false;
    }
    if (m_isFolder) {
        return CDeviceFolderCopy::Copy(m_files, m_path, localPath);
    }
    return CPhotoSerialFileAction::CopyFile(m_files, m_path, localPath) == IPhotoSerialAction::Copied;
}

int64_t CDeviceFileItem::GetSize() const {
    return m_loaded ? m_size : 0;
}

int64_t CDeviceFileItem::GetCreateTime() const {
    return m_loaded ? m_createTime : 0;
}

int64_t CDeviceFileItem::GetModifyTime() const {
    return m_loaded ? m_modifyTime : 0;
}

bool CDeviceFileItem::IsDirectory() const {
    return m_loaded && m_isFolder;
}
