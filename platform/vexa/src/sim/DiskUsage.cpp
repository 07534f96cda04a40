#include "DiskUsage.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "SimDevice.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

std::string lowerExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool isVideo(const std::string& extension) {
    return extension == ".mp4" || extension == ".m4v" || extension == ".mov";
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Where a file below Media/ counts. Camera videos in DCIM count with the photos, as the device does.
uint64_t& mediaCategory(DiskUsage& usage, const std::string& relative, const std::string& extension) {
    if (startsWith(relative, "DCIM/") || startsWith(relative, "PhotoData/")) {
        return usage.photos;
    }
    if (startsWith(relative, "Books/")) {
        return usage.books;
    }
    if (startsWith(relative, "iTunes_Control/Music/")) {
        return isVideo(extension) ? usage.video : usage.music;
    }
    if (startsWith(relative, "Downloads/")) {
        return usage.documents;
    }
    return usage.other;
}

template <class Visit> void walkFiles(const fs::path& root, Visit visit) {
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    for (fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error) && !it->is_symlink(error)) {
            visit(it->path(), it->file_size(error));
        }
    }
}

} // namespace

DiskUsage DiskUsage::Measure(const SimDevice& device) {
    DiskUsage usage;
    const fs::path media = device.MediaRoot();
    const size_t mediaLength = media.native().size() + 1;
    walkFiles(media, [&](const fs::path& file, uint64_t size) {
        const std::string relative = file.native().substr(std::min(mediaLength, file.native().size()));
        mediaCategory(usage, relative, lowerExtension(file)) += size;
    });
    const fs::path apps = device.ApplicationsRoot();
    walkFiles(apps, [&](const fs::path& file, uint64_t size) {
        // Applications/<id>/<Name>.app/... is the app itself; the rest of the container is its data.
        const fs::path relative = file.lexically_relative(apps);
        auto part = relative.begin();
        const bool inBundle =
            part != relative.end() && ++part != relative.end() && part->extension() == ".app";
        (inBundle ? usage.apps : usage.documents) += size;
    });
    // The phone's own databases (address book and the like) count as other data.
    walkFiles(device.LibraryRoot(), [&](const fs::path&, uint64_t size) { usage.other += size; });
    std::error_code error;
    for (const char* name : {"device.sqlite", "device.sqlite-wal", "device.sqlite-shm"}) {
        const auto size = fs::file_size(device.Folder() / name, error);
        usage.other += error ? 0 : size;
    }
    return usage;
}

void DiskUsage::FillDiskInfo(const SimDevice& device, DiskInfo& info) const {
    const DeviceInfoFile file = device.Info();
    const uint64_t capacity = file.profile.dataCapacity;
    info.values[DI_DataCapacity] = capacity;
    info.values[DI_DataFree] = capacity > Used() ? capacity - Used() : 0;
    info.values[DI_SystemCapacity] = file.profile.systemCapacity;
    info.values[DI_SystemFree] = std::min(file.profile.systemFree, file.profile.systemCapacity);
    info.values[DI_Music] = music;
    info.values[DI_Photos] = photos;
    info.values[DI_Other] = other;
    info.values[DI_Video] = video;
    info.values[DI_Documents] = documents;
    info.values[DI_Books] = books;
    info.values[DI_Apps] = apps;
}

} // namespace vexa::sim
