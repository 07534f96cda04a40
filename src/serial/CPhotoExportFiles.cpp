#include "CPhotoExportFiles.h"

#include <map>
#include <memory>
#include <set>

#include <QString>

#include <vexa/vexa.h>

namespace {

constexpr const char* kClipExtension = ".MOV";

bool IsStill(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    const QString extension = QString::fromStdString(path.substr(dot)).toLower();
    return extension != QLatin1String(".mov") && extension != QLatin1String(".mp4") &&
           extension != QLatin1String(".m4v");
}

std::string WithExtension(const std::string& name, const char* extension) {
    const size_t dot = name.rfind('.');
    const size_t slash = name.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? name.substr(0, dot) : name) + extension;
}

} // namespace

CPhotoExportFiles::Files CPhotoExportFiles::Of(const std::vector<const PhotoRecord*>& records,
                                               const Exists& exists,
                                               const std::vector<const PhotoRecord*>* library) {
    std::set<std::string> listed;
    for (const PhotoRecord* record : library ? *library : records)
        listed.insert(record->path ? record->path : "");
    Files files;
    for (const PhotoRecord* record : records) {
        if (!record->path || !record->fileName)
            continue;
        files.emplace_back(record->path, record->fileName);
        const std::string clip = WithExtension(record->path, kClipExtension);
        if (IsStill(record->path) && !listed.count(clip) && exists(clip))
            files.emplace_back(clip, WithExtension(record->fileName, kClipExtension));
    }
    return files;
}

CPhotoExportFiles::Exists CPhotoExportFiles::OnDevice(IFileService* files) {
    auto folders = std::make_shared<std::map<std::string, std::set<std::string>>>();
    return [files, folders](const std::string& path) {
        const size_t slash = path.rfind('/');
        const std::string parent = slash == std::string::npos ? std::string("/") : path.substr(0, slash);
        auto [it, added] = folders->try_emplace(parent);
        DirectoryEntryRecord* entries = nullptr;
        int count = 0;
        if (added && files && files->ReadDirectory(parent.c_str(), &count, &entries) == VEXA_OK)
            for (int i = 0; i < count; ++i)
                if (entries[i].name)
                    it->second.insert(entries[i].name);
        return it->second.count(path.substr(slash + 1)) > 0;
    };
}
