#include "SimFileService.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

#include "DiskUsage.h"
#include "FileCopier.h"
#include "SimDevice.h"
#include "TextCodec.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

int errnoResult(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return VEXA_E_NOT_FOUND;
    case EEXIST:
        return VEXA_E_EXISTS;
    case ENOTEMPTY:
        return VEXA_E_NOT_EMPTY;
    case EINVAL:
        return VEXA_E_INVALID_ARGUMENT;
    case ENOSPC:
    case EDQUOT:
        return VEXA_E_NO_SPACE;
    default:
        return VEXA_E_IO;
    }
}

std::string nanoseconds(const struct statx_timestamp& time) {
    return std::to_string(static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec);
}

bool isTempName(const std::string& name) {
    return name.rfind(".vexa-part-", 0) == 0;
}

void fillEntry(ResultArena& arena, DirectoryEntryRecord& record, const std::string& name,
               const fs::path& path) {
    record.name = arena.Keep(name);
    struct statx info {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        record.size = arena.Keep("0");
        record.modifyTime = arena.Keep("0");
        record.createTime = arena.Keep("0");
        record.type = arena.Keep("S_IFREG");
        return;
    }
    const auto type = info.stx_mode & S_IFMT;
    record.size = arena.Keep(std::to_string(type == S_IFDIR ? 0 : info.stx_size));
    record.modifyTime = arena.Keep(nanoseconds(info.stx_mtime));
    record.createTime =
        arena.Keep(nanoseconds((info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_ctime));
    record.type = arena.Keep(type == S_IFDIR ? "S_IFDIR" : type == S_IFLNK ? "S_IFLNK" : "S_IFREG");
    if (type == S_IFLNK) {
        std::error_code error;
        record.linkTarget = arena.Keep(fs::read_symlink(path, error).string());
    }
}

} // namespace

SimFileService::SimFileService(std::shared_ptr<SimDevice> device, fs::path root, bool isContainer)
    : m_device(std::move(device))
    , m_root(std::move(root))
    , m_isContainer(isContainer) {}

int SimFileService::resolve(const std::string& devicePath, bool followLast, fs::path& hostPath) const {
    std::error_code error;
    if (!fs::is_directory(m_root, error)) {
        return VEXA_E_NOT_FOUND; // the app was uninstalled while its container was open
    }
    const auto resolved = SimDevice::ResolveUnder(m_root, devicePath, followLast);
    if (!resolved) {
        return VEXA_E_PATH_ESCAPE;
    }
    hostPath = *resolved;
    return VEXA_OK;
}

bool SimFileService::isRoot(const fs::path& hostPath) const {
    std::error_code error;
    return fs::equivalent(hostPath, m_root, error);
}

int SimFileService::checkSpaceFor(uint64_t bytes) const {
    DiskInfo info{};
    DiskUsage::Measure(*m_device).FillDiskInfo(*m_device, info);
    return bytes > info.values[DI_DataFree] ? VEXA_E_NO_SPACE : VEXA_OK;
}

int SimFileService::CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) {
    if (devicePath == nullptr || localPath == nullptr || *localPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("CopyFileToComputer"); check != VEXA_OK) {
        return check;
    }
    fs::path source;
    if (int result = resolve(ToUtf8(devicePath), true, source); result != VEXA_OK) {
        return result;
    }
    std::error_code error;
    const auto status = fs::status(source, error);
    if (!fs::exists(status)) {
        return VEXA_E_NOT_FOUND;
    }
    if (!fs::is_regular_file(status)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const fs::path target = fs::absolute(fs::path(ToUtf8(localPath)), error);
    if (error || fs::is_directory(target, error)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const fs::path temp = UniqueTempName(target.parent_path(), target.filename().string());
    const int result = CopyRegularFile(source, temp, [this] { return m_device->IsConnected(); });
    if (result != VEXA_OK) {
        return result;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int code = errnoResult(errno);
        ::unlink(temp.c_str());
        return code;
    }
    return VEXA_OK;
}

int SimFileService::CopyFileToDevice(const char16_t* localPath, const char16_t* devicePath) {
    if (devicePath == nullptr || localPath == nullptr || *localPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("CopyFileToDevice"); check != VEXA_OK) {
        return check;
    }
    fs::path target;
    if (int result = resolve(ToUtf8(devicePath), true, target); result != VEXA_OK) {
        return result;
    }
    std::error_code error;
    const fs::path source(ToUtf8(localPath));
    const auto sourceStatus = fs::status(source, error);
    if (!fs::is_regular_file(sourceStatus)) {
        return fs::exists(sourceStatus) ? VEXA_E_INVALID_ARGUMENT : VEXA_E_NOT_FOUND;
    }
    if (isRoot(target) || fs::is_directory(target, error)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!fs::is_directory(target.parent_path(), error)) {
        return VEXA_E_NOT_FOUND;
    }
    if (int space = checkSpaceFor(fs::file_size(source, error)); space != VEXA_OK) {
        return space;
    }
    const fs::path temp = UniqueTempName(m_device->WorkFolder("staging"), "upload");
    const int result = CopyRegularFile(source, temp, [this] { return m_device->IsConnected(); });
    if (result != VEXA_OK) {
        return result;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int code = errnoResult(errno);
        ::unlink(temp.c_str());
        return code;
    }
    return VEXA_OK;
}

int SimFileService::MakeDirectory(const char* devicePath) {
    if (devicePath == nullptr || *devicePath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("MakeDirectory"); check != VEXA_OK) {
        return check;
    }
    fs::path folder;
    if (int result = resolve(devicePath, true, folder); result != VEXA_OK) {
        return result;
    }
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        return VEXA_OK;
    }
    if (fs::exists(fs::symlink_status(folder, error))) {
        return VEXA_E_EXISTS;
    }
    // A link planted between the check and the creation could have led outside: look again.
    fs::create_directories(folder, error);
    if (error) {
        return errnoResult(error.value());
    }
    return SimDevice::ResolveUnder(m_root, devicePath, true) ? VEXA_OK : VEXA_E_PATH_ESCAPE;
}

int SimFileService::RemovePath(const char* devicePath) {
    if (devicePath == nullptr || *devicePath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("RemovePath"); check != VEXA_OK) {
        return check;
    }
    fs::path entry;
    if (int result = resolve(devicePath, false, entry); result != VEXA_OK) {
        return result;
    }
    if (isRoot(entry)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    // Out of sight in one rename, then removed at leisure: nobody ever sees a half-deleted folder.
    const fs::path trash = UniqueTempName(m_device->WorkFolder("trash"), "removed");
    if (::rename(entry.c_str(), trash.c_str()) != 0) {
        return errnoResult(errno);
    }
    std::error_code error;
    fs::remove_all(trash, error);
    return VEXA_OK;
}

int SimFileService::RenamePath(const char* oldPath, const char* newPath) {
    if (oldPath == nullptr || newPath == nullptr || *oldPath == 0 || *newPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("RenamePath"); check != VEXA_OK) {
        return check;
    }
    fs::path from, to;
    if (int result = resolve(oldPath, false, from); result != VEXA_OK) {
        return result;
    }
    if (int result = resolve(newPath, false, to); result != VEXA_OK) {
        return result;
    }
    if (isRoot(from) || isRoot(to)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        return errnoResult(errno);
    }
    return VEXA_OK;
}

int SimFileService::ReadDirectory(const char* devicePath, int* count, DirectoryEntryRecord** entries) {
    if (devicePath == nullptr || count == nullptr || entries == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *count = 0;
    *entries = nullptr;
    if (int check = m_device->CheckCall("ReadDirectory"); check != VEXA_OK) {
        return check;
    }
    fs::path folder;
    if (int result = resolve(devicePath, true, folder); result != VEXA_OK) {
        return result;
    }
    std::error_code error;
    const auto status = fs::status(folder, error);
    if (!fs::exists(status)) {
        return VEXA_E_NOT_FOUND;
    }
    if (!fs::is_directory(status)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (!isTempName(name)) {
            names.push_back(std::move(name));
        }
    }
    if (error) {
        return VEXA_E_IO;
    }
    std::sort(names.begin(), names.end());
    auto& arena = m_readDirectory.ForCurrentThread();
    arena.Clear();
    auto* records = arena.NewArray<DirectoryEntryRecord>(names.size() + 2);
    fillEntry(arena, records[0], ".", folder);
    fillEntry(arena, records[1], "..", isRoot(folder) ? folder : folder.parent_path());
    for (size_t i = 0; i < names.size(); ++i) {
        fillEntry(arena, records[i + 2], names[i], folder / names[i]);
    }
    *count = static_cast<int>(names.size() + 2);
    *entries = records;
    return VEXA_OK;
}

int SimFileService::OpenAppContainer(const char* appId, IFileService** container) {
    if (appId == nullptr || container == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *container = nullptr;
    const std::string id(appId);
    if (id.empty() || id == "." || id == ".." || id.find('/') != std::string::npos) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (m_isContainer) {
        return VEXA_E_UNSUPPORTED;
    }
    if (int check = m_device->CheckCall("OpenAppContainer"); check != VEXA_OK) {
        return check;
    }
    const fs::path folder = m_device->ApplicationsRoot() / id;
    std::error_code error;
    if (!fs::is_directory(folder, error) || fs::is_symlink(folder, error)) {
        return VEXA_E_NOT_FOUND;
    }
    std::lock_guard lock(m_containerMutex);
    m_containers.push_back(std::make_unique<SimFileService>(m_device, folder, true));
    *container = m_containers.back().get();
    return VEXA_OK;
}

int SimFileService::CloseAppContainer(IFileService* container) {
    std::lock_guard lock(m_containerMutex);
    auto it = std::find_if(m_containers.begin(), m_containers.end(),
                           [container](const auto& open) { return open.get() == container; });
    if (container == nullptr || it == m_containers.end()) {
        return 0;
    }
    m_containers.erase(it);
    return 1;
}

} // namespace vexa::sim
