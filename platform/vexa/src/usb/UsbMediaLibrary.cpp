#include "UsbMediaLibrary.h"

#include <future>
#include <unordered_map>

#include <vexa/VexaResult.h>

#include "AfcConnection.h"
#include "LockdownSession.h"
#include "PlistValue.h"
#include "UsbDevice.h"
#include "ios/ReadResult.h"

namespace fs = std::filesystem;

namespace vexa::usb {

namespace {

// The tag the pages pass back in their refresh signals: the media library of a device.
constexpr int kDeviceLibraryKind = 1;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

UsbMediaLibrary::UsbMediaLibrary(std::shared_ptr<UsbDevice> device, std::unique_ptr<IFileService> files)
    : m_device(std::move(device))
    , m_files(std::move(files)) {}

UsbMediaLibrary::~UsbMediaLibrary() = default;

int UsbMediaLibrary::GetLibraryKind() {
    return kDeviceLibraryKind;
}

std::string UsbMediaLibrary::deviceName(const UsbDevice& device) {
    LockdownSession session(device);
    PlistPtr value;
    std::string name;
    if (session.GetValue(nullptr, "DeviceName", value) != VEXA_OK || !value ||
        !PlistToText(value.get(), name) || name.empty()) {
        return "Library";
    }
    return name;
}

int UsbMediaLibrary::names(const std::string& folder, std::unordered_set<std::string>& found) {
    found.clear();
    if (!m_afc) {
        if (int code = AfcConnection::OpenMedia(*m_device, m_afc); code != VEXA_OK) {
            return code;
        }
    }
    std::vector<std::string> listed;
    const afc_error_t error = m_afc->Client().ReadDirectory("/" + folder, listed);
    if (error == AFC_E_OBJECT_NOT_FOUND) {
        return VEXA_OK;
    }
    if (error != AFC_E_SUCCESS) {
        m_afc.reset();
        return ResultOfAfc(error, *m_device);
    }
    found.insert(listed.begin(), listed.end());
    return VEXA_OK;
}

int UsbMediaLibrary::refresh() {
    UsbContentCache::Stamp stamp;
    if (int code = UsbContentCache::StampOf(*m_files, kDatabasePath, stamp); code != VEXA_OK) {
        return code;
    }
    if (!m_hasRead || !(stamp == m_stamp)) {
        ios::MediaLibrary library;
        // A device that never had media synced to it may not have made its library yet: it holds nothing.
        if (stamp.present) {
            fs::path local;
            const fs::path folder = UsbContentCache::FolderFor(m_device->Udid()) / "media";
            if (int code = UsbContentCache::CopyDatabase(*m_files, kDatabasePath, folder, local);
                code != VEXA_OK) {
                return code;
            }
            if (const int read = ios::MediaLibraryReader::Read(local, library); read != ios::kReadOk) {
                return read == ios::kReadIoError ? VEXA_E_IO : VEXA_E_DATABASE;
            }
        }
        m_read = std::move(library);
        m_stamp = stamp;
        m_hasRead = true;
    }
    // Files go without the database hearing of it, so they are looked up every time: one listing of
    // names per folder (the phone spreads them over F00..F49), not one question per file.
    ios::MediaLibrary library = m_read;
    std::unordered_map<std::string, std::unordered_set<std::string>> folders;
    int failure = VEXA_OK;
    const int skipped = KeepPresent(library, [&](const std::string& path) {
        const std::string folder = folderOf(path);
        auto found = folders.find(folder);
        if (found == folders.end()) {
            found = folders.emplace(folder, std::unordered_set<std::string>()).first;
            if (int code = names(folder, found->second); code != VEXA_OK) {
                failure = code;
            }
        }
        return found->second.count(path.substr(folder.empty() ? 0 : folder.size() + 1)) > 0;
    });
    if (failure != VEXA_OK) {
        return failure;
    }
    m_library = std::move(library);
    m_skipped.store(skipped);
    return VEXA_OK;
}

int UsbMediaLibrary::GetPlaylists(int* count, PlaylistRecord** playlists) {
    if (count == nullptr || playlists == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!m_device->IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    std::lock_guard lock(m_mutex);
    // The library takes the device's name; asked once, beside the first reading of the library.
    std::future<std::string> name;
    if (m_name.empty()) {
        name = std::async(std::launch::async, &UsbMediaLibrary::deviceName, std::cref(*m_device));
    }
    const int code = refresh();
    if (name.valid()) {
        m_name = name.get();
    }
    if (code != VEXA_OK) {
        return code;
    }
    auto& buffer = m_playlists.ForCurrentThread();
    sim::TrackStore::Fill(m_library, buffer, m_name.c_str());
    *count = static_cast<int>(buffer.playlists.size());
    *playlists = buffer.playlists.data();
    return VEXA_OK;
}

} // namespace vexa::usb
