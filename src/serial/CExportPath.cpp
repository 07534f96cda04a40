#include "CExportPath.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace {

// The extensions of a filter text, ".vcf" for every "*.vcf" in it, lower-cased.
std::vector<std::string> FilterExtensions(std::string_view filters) {
    std::vector<std::string> extensions;
    for (std::size_t star = filters.find("*."); star != std::string_view::npos;
         star = filters.find("*.", star + 1)) {
        const std::size_t end = filters.find_first_of(" );", star);
        std::string extension = CExportPath::Extension(filters.substr(star + 1, end - star - 1));
        if (extension != ".*")
            extensions.push_back(std::move(extension));
    }
    return extensions;
}

} // namespace

std::string CExportPath::Extension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find_first_of("/\\", dot) != std::string_view::npos) {
        return {};
    }
    std::string extension(path.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string CExportPath::FolderPart(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string_view::npos || separator == 0) {
        return {};
    }
    return std::string(path.substr(0, separator + 1));
}

std::string CExportPath::FilterExtension(std::string_view filter) {
    const std::vector<std::string> extensions = FilterExtensions(filter);
    return extensions.empty() ? std::string() : extensions.front();
}

std::string CExportPath::WithChosenExtension(std::string_view path, std::string_view filters,
                                             std::string_view chosenFilter) {
    const std::vector<std::string> chosen = FilterExtensions(chosenFilter);
    const std::vector<std::string> offered = FilterExtensions(filters);
    const std::string extension = Extension(path);
    if (chosen.empty() || path.empty() ||
        std::find(offered.begin(), offered.end(), extension) != offered.end())
        return std::string(path);
    return std::string(path) + chosen.front();
}
