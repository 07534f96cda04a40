#include "DeviceFiles.h"

#include <algorithm>
#include <atomic>
#include <system_error>

#include <unistd.h>

#include <vexa/VexaResult.h>

#include "../TextCodec.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

fs::path TemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.parent_path() / (".partial-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
                                   "-" + target.filename().string());
}

int ErrorCode(const std::error_code& error) {
    return error == std::errc::no_space_on_device ? VEXA_E_NO_SPACE : VEXA_E_IO;
}

} // namespace

int DeviceFiles::CopyIn(const fs::path& source, const fs::path& target) {
    std::error_code error;
    if (!fs::exists(source, error))
        return VEXA_E_NOT_FOUND;
    if (fs::exists(target, error))
        return VEXA_E_EXISTS;
    fs::create_directories(target.parent_path(), error);
    if (error)
        return ErrorCode(error);
    const fs::path partial = TemporaryBeside(target);
    if (fs::is_directory(source, error))
        fs::copy(source, partial, fs::copy_options::recursive, error);
    else
        fs::copy_file(source, partial, error);
    if (!error)
        fs::rename(partial, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove_all(partial, ignored);
        return ErrorCode(error);
    }
    return VEXA_OK;
}

int DeviceFiles::LinkOrCopy(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    fs::create_hard_link(source, target, error);
    if (!error)
        return VEXA_OK;
    return CopyIn(source, target);
}

fs::path DeviceFiles::FreeName(const fs::path& folder, const std::string& stem,
                               const std::string& extension) {
    std::error_code error;
    fs::path candidate = folder / (stem + extension);
    for (int n = 2; fs::exists(candidate, error); ++n)
        candidate = folder / (stem + "-" + std::to_string(n) + extension);
    return candidate;
}

uint64_t DeviceFiles::Size(const fs::path& path) {
    std::error_code error;
    if (fs::is_regular_file(path, error))
        return fs::file_size(path, error);
    uint64_t total = 0;
    if (!fs::is_directory(path, error))
        return 0;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        std::error_code sizeError;
        if (it->is_regular_file(sizeError))
            total += it->file_size(sizeError);
    }
    return total;
}

bool DeviceFiles::Remove(const fs::path& path) {
    std::error_code error;
    fs::remove_all(path, error);
    return !error && !fs::exists(fs::symlink_status(path, error));
}

fs::path DeviceFiles::FromCaller(const char16_t* path) {
    std::string text = ToUtf8(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
}

} // namespace vexa::sim
