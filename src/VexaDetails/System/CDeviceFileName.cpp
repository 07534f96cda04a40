#include "CDeviceFileName.h"

void CDeviceFileName::Split(const std::string& path, std::string* parentPath, std::string* name) {
    std::string trimmed = path;
    if (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\')) {
        trimmed.pop_back();
    }
    if (trimmed.empty() || trimmed == "/") {
        *parentPath = std::string();
        *name = trimmed;
        return;
    }
    size_t cut = trimmed.rfind('/');
    if (cut == std::string::npos) {
        cut = trimmed.rfind('\\');
    }
    if (cut == std::string::npos) {
        *parentPath = std::string();
        *name = trimmed;
        return;
    }
    // The root keeps its "/": the parent of "/Media" is "/", not "".
    *parentPath = cut == 0 ? std::string("/") : trimmed.substr(0, cut);
    *name = trimmed.substr(cut + 1);
}

std::string CDeviceFileName::Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    if (folder.back() == '/' || folder.back() == '\\') {
        return folder + name;
    }
    return folder + '/' + name;
}

CDeviceFileName::Check CDeviceFileName::CheckName(const std::string& name) {
    if (name.empty()) {
        return Check::Empty;
    }
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
        return Check::Separator;
    }
    if (name == "." || name == "..") {
        return Check::Reserved;
    }
    return Check::Ok;
}

bool CDeviceFileName::HasParentStep(const std::string& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("/\\", start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (path.compare(start, end - start, "..") == 0 && end - start == 2) {
            return true;
        }
        start = end + 1;
    }
    return false;
}
