#include "CExportFileName.h"

#include <filesystem>
#include <utility>

#include <unistd.h>

namespace {

constexpr std::size_t kDefaultNameMax = 255;
constexpr std::string_view kUnsafe = "\\/:*?\"<>|";

bool OnlyDots(std::string_view name) {
    return !name.empty() && name.find_first_not_of('.') == std::string_view::npos;
}

std::size_t NameMaxOf(const std::string& folder) {
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : kDefaultNameMax;
}

} // namespace

CExportFileName::CExportFileName(std::string folder)
    : m_folder(std::move(folder))
    , m_nameMax(NameMaxOf(m_folder)) {
    if (!m_folder.empty() && m_folder.back() != '/' && m_folder.back() != '\\') {
        m_folder += '/';
    }
}

std::string CExportFileName::SanitiseTitle(std::string_view title) {
    std::string safe(title);
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || kUnsafe.find(c) != std::string_view::npos) {
            c = '\'';
        }
    }
    return safe;
}

std::string CExportFileName::DeviceExtension(std::string_view devicePath) {
    const std::size_t dot = devicePath.rfind('.');
    if (dot == std::string_view::npos || devicePath.find_first_of("/\\", dot) != std::string_view::npos) {
        return {};
    }
    return std::string(devicePath.substr(dot));
}

std::string CExportFileName::CutUtf8(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) {
        return std::string(text);
    }
    std::size_t end = bytes;
    // Step back over continuation bytes to the start of the character that would be split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(text.substr(0, end));
}

std::string CExportFileName::Compose(std::string_view title, std::string_view extension, int copy,
                                     std::size_t nameMax) {
    std::string stem(title);
    std::string tail;
    if (!extension.empty() && stem.find(extension) != std::string::npos) {
        // The title carries the extension; a copy number goes before it when it ends the title.
        if (stem.size() > extension.size() &&
            stem.compare(stem.size() - extension.size(), extension.size(), extension) == 0) {
            stem.resize(stem.size() - extension.size());
            tail = extension;
        }
    } else {
        tail = extension;
    }
    const std::string number = copy > 1 ? " (" + std::to_string(copy) + ")" : std::string();
    const std::size_t fixed = number.size() + tail.size();
    if (fixed < nameMax && stem.size() + fixed > nameMax) {
        stem = CutUtf8(stem, nameMax - fixed);
    }
    std::string name = CutUtf8(stem + number + tail, nameMax);
    // "." and ".." would name the folder itself or its parent.
    if (OnlyDots(name)) {
        name.assign(name.size(), '\'');
    }
    return name;
}

std::string CExportFileName::PathFor(std::string_view title, std::string_view extension,
                                     const std::string& recordKey) {
    const std::string safeTitle = SanitiseTitle(title);
    const std::string safeExtension = SanitiseTitle(extension);
    if (safeTitle.empty()) {
        return {};
    }
    for (int copy = 1;; ++copy) {
        const std::string name = Compose(safeTitle, safeExtension, copy, m_nameMax);
        if (!IsTaken(name, recordKey)) {
            m_owners[name] = recordKey;
            return m_folder + name;
        }
    }
}

bool CExportFileName::IsTaken(const std::string& name, const std::string& recordKey) const {
    const auto owner = m_owners.find(name);
    if (owner != m_owners.end()) {
        return owner->second != recordKey;
    }
    // A folder of that name cannot be overwritten by a file.
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::symlink_status(m_folder + name, error));
}
