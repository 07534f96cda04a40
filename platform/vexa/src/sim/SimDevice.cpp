#include "SimDevice.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include <vexa/VexaResult.h>

#include "DeviceProfile.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

bool isWithin(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathIt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

bool isValidUdid(const std::string& udid) {
    return !udid.empty() && udid.size() <= 64 && udid.front() != '.' &&
           std::all_of(udid.begin(), udid.end(),
                       [](char c) { return std::isalnum((unsigned char)c) || c == '-'; });
}

} // namespace

SimDevice::SimDevice(fs::path folder)
    : m_folder(std::move(folder))
    , m_udid(m_folder.filename().string())
    , m_database(m_folder / "device.sqlite", SimDatabase::OpenMode::CreateIfMissing)
    , m_mediaDatabase(m_folder / "Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb",
                      SimDatabase::OpenMode::MustExist)
    , m_addressBook(m_folder / "Library/AddressBook/AddressBook.sqlitedb",
                    SimDatabase::OpenMode::CreateIfMissing)
    , m_messageDatabase(m_folder / "Library/SMS/sms.db", SimDatabase::OpenMode::CreateIfMissing)
    , m_photoDatabase(m_folder / "Media/PhotoData/Photos.sqlite", SimDatabase::OpenMode::CreateIfMissing)
    , m_faults(m_folder / "faults") {}

fs::path SimDevice::MediaDatabaseFile() const {
    return m_mediaDatabase.File();
}

fs::path SimDevice::WorkFolder(const char* purpose) const {
    fs::path folder = m_folder / (std::string(".") + purpose);
    std::error_code error;
    fs::create_directories(folder, error);
    return folder;
}

int SimDevice::Create(const fs::path& root, const std::string& udid, const std::string& name,
                      const std::string& productType) {
    if (!isValidUdid(udid) || name.empty() || productType.empty()) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const fs::path folder = root / udid;
    std::error_code error;
    if (fs::exists(folder / "device.json", error)) {
        return VEXA_E_EXISTS;
    }
    static const char* const kFolders[] = {
        "Media/DCIM/100APPLE",
        "Media/PhotoData/Thumbnails",
        "Media/Books",
        "Media/Downloads",
        "Media/Recordings",
        "Media/iTunes_Control/Music",
        "Media/iTunes_Control/iTunes",
        "Applications",
        "Library/AddressBook",
    };
    for (const char* sub : kFolders) {
        fs::create_directories(folder / sub, error);
        if (error) {
            return VEXA_E_IO;
        }
    }
    DeviceInfoFile info;
    info.profile = DeviceProfile::Make(udid, name, productType);
    return info.Save(folder / "device.json");
}

int SimDevice::Publish(const fs::path& root, const std::string& udid) {
    if (!isValidUdid(udid)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    return WriteDeviceState(root / udid / "state", DeviceState{});
}

bool SimDevice::IsDeviceFolder(const fs::path& folder) {
    std::error_code error;
    // A linked folder could lead anywhere; the simulator keeps to the folders below its root.
    if (fs::is_symlink(folder, error)) {
        return false;
    }
    return isValidUdid(folder.filename().string()) && fs::is_regular_file(folder / "state", error) &&
           fs::is_regular_file(folder / "device.json", error);
}

std::optional<fs::path> SimDevice::ResolveDevicePath(const std::string& devicePath) const {
    return ResolveUnder(MediaRoot(), devicePath, true);
}

std::optional<fs::path> SimDevice::ResolveDeviceEntry(const std::string& devicePath) const {
    return ResolveUnder(MediaRoot(), devicePath, false);
}

std::optional<fs::path> SimDevice::ResolveUnder(const fs::path& base, const std::string& devicePath,
                                                bool followLast) {
    if (devicePath.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::error_code error;
    const fs::path root = fs::canonical(base, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= devicePath.size()) {
        size_t end = devicePath.find('/', start);
        if (end == std::string::npos) {
            end = devicePath.size();
        }
        const std::string part = devicePath.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) {
                return std::nullopt;
            }
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    fs::path lexical = root;
    for (const auto& part : parts) {
        lexical /= part;
    }
    // Symbolic links are what can still lead outside: the real location must stay below the root.
    const bool checkWhole = followLast || parts.empty();
    const fs::path real = fs::weakly_canonical(checkWhole ? lexical : lexical.parent_path(), error);
    if (error || !isWithin(real, root)) {
        return std::nullopt;
    }
    if (followLast && fs::is_symlink(lexical, error) && !fs::exists(lexical, error)) {
        return std::nullopt; // a dangling link: writing through it would create its target anywhere
    }
    return lexical;
}

DeviceState SimDevice::State() const {
    return ReadDeviceState(StateFile()).value_or(DeviceState{false, false});
}

int SimDevice::SetState(const DeviceState& state) {
    return WriteDeviceState(StateFile(), state);
}

bool SimDevice::IsConnected() const {
    return !m_removed && State().plugged;
}

int SimDevice::CheckCall(const char* operation) {
    if (operation == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    const FaultOutcome fault = m_faults.Check(operation);
    if (!fault.fires) {
        return VEXA_OK;
    }
    if (fault.spec.delayMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(fault.spec.delayMs));
    }
    if (fault.spec.unplug) {
        DeviceState state = State();
        state.plugged = false;
        SetState(state);
        return VEXA_E_UNPLUGGED;
    }
    if (!IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    return fault.spec.code;
}

DeviceInfoFile SimDevice::Info() const {
    std::lock_guard lock(m_infoMutex);
    DeviceInfoFile info;
    DeviceInfoFile::Load(InfoFile(), info);
    return info;
}

int SimDevice::UpdateInfo(const std::function<void(DeviceInfoFile&)>& change) {
    std::lock_guard lock(m_infoMutex);
    DeviceInfoFile info;
    const int result = DeviceInfoFile::Load(InfoFile(), info);
    if (result != VEXA_OK) {
        return result;
    }
    change(info);
    return info.Save(InfoFile());
}

} // namespace vexa::sim
