#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

class IFileService;
struct PhotoRecord;

// The files a photo export copies: each photo's own file, and after a still the clip a Live Photo keeps
// beside it under the same name (IMG_0001.HEIC and IMG_0001.MOV), unless that clip is exported as a
// record of its own. Shared by the window's export and the command line's.
class CPhotoExportFiles {
public:
    using Exists = std::function<bool(const std::string& devicePath)>;
    // Pairs of device path and title.
    using Files = std::vector<std::pair<std::string, std::string>>;

    // `library`, when given, is every record the photos were chosen from: a clip among them is a
    // record of its own even when it was not chosen.
    static Files Of(const std::vector<const PhotoRecord*>& records, const Exists& exists,
                    const std::vector<const PhotoRecord*>* library = nullptr);
    // Looks a device path up in its folder's listing, read once a folder through `files`.
    static Exists OnDevice(IFileService* files);
};
