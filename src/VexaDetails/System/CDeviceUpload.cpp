#include "CDeviceUpload.h"

#include <algorithm>
#include <filesystem>

#include <QString>

#include <vexa/VexaServices.h>

#include "CDeviceFileItem.h"
#include "CDeviceFileName.h"
#include "CDropFileList.h"

namespace fs = std::filesystem;

namespace {

void PlanEntry(const fs::path& local, const std::string& devicePath,
               std::vector<CDeviceUpload::Step>& steps) {
    std::error_code error;
    const auto status = fs::symlink_status(local, error);
    if (error || fs::is_symlink(status)) {
        return;
    }
    if (fs::is_regular_file(status)) {
        steps.push_back({local.string(), devicePath, fs::file_size(local, error)});
        return;
    }
    if (!fs::is_directory(status)) {
        return;
    }
    steps.push_back({std::string(), devicePath, 0});
    std::vector<fs::path> children;
    for (fs::directory_iterator it(local, error), end; !error && it != end; it.increment(error)) {
        children.push_back(it->path());
    }
    std::sort(children.begin(), children.end());
    for (const fs::path& child : children) {
        PlanEntry(child, CDeviceFileName::Join(devicePath, child.filename().string()), steps);
    }
}

std::u16string Utf16(const std::string& text) {
    const QString converted = QString::fromStdString(text);
    return std::u16string(reinterpret_cast<const char16_t*>(converted.utf16()), size_t(converted.size()));
}

} // namespace

std::vector<CDeviceUpload::Step> CDeviceUpload::Plan(const std::vector<std::string>& localPaths,
                                                     const std::string& deviceFolder,
                                                     std::set<std::string> taken) {
    std::vector<Step> steps;
    for (const std::string& localPath : localPaths) {
        fs::path local(localPath);
        if (!local.has_filename()) {
            local = local.parent_path();
        }
        const std::string name = local.filename().string();
        if (CDeviceFileName::CheckName(name) != CDeviceFileName::Check::Ok) {
            continue;
        }
        std::string free = name;
        for (int number = 2; taken.count(free) != 0; ++number) {
            free = CDropFileList::NumberedName(QString::fromStdString(name), number).toStdString();
        }
        const size_t before = steps.size();
        PlanEntry(local, CDeviceFileName::Join(deviceFolder, free), steps);
        if (steps.size() != before) {
            taken.insert(free);
        }
    }
    return steps;
}

int CDeviceUpload::Run(IFileService* files, const std::vector<Step>& steps,
                       const std::function<bool(size_t, size_t)>& progress) {
    int failed = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        int result = -1;
        if (files != nullptr && step.localPath.empty()) {
            result = files->MakeDirectory(step.devicePath.c_str());
        } else if (files != nullptr) {
            result = files->CopyFileToDevice(Utf16(step.localPath).c_str(), Utf16(step.devicePath).c_str());
        }
        if (result != 0) {
            ++failed;
        }
        if (progress && !progress(i + 1, steps.size())) {
            return failed + static_cast<int>(steps.size() - i - 1);
        }
    }
    return failed;
}

std::vector<CDeviceUpload::Step> CDeviceUpload::PlanInto(CDeviceFileItem* folder,
                                                         const QStringList& localPaths) {
    folder->ReadChildren();
    std::set<std::string> taken;
    for (int i = 0; i < folder->GetChildCount(); ++i) {
        taken.insert(folder->GetChild(i)->GetName());
    }
    std::vector<std::string> locals;
    for (const QString& path : localPaths) {
        locals.push_back(path.toStdString());
    }
    return Plan(locals, folder->GetPath(), std::move(taken));
}
