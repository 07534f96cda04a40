#include "FuzzRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace fuzz {

namespace {

struct ScratchFolder {
    ScratchFolder() {
        std::error_code error;
        path = std::filesystem::temp_directory_path(error) / ("vexa-fuzz-" + std::to_string(getpid()));
        std::filesystem::remove_all(path, error);
        std::filesystem::create_directories(path, error);
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    std::filesystem::path path;
};

} // namespace

std::map<std::string, Entry>& Targets() {
    static std::map<std::string, Entry> targets;
    return targets;
}

bool Register(const char* name, Entry entry) {
    Targets()[name] = entry;
    return true;
}

const std::filesystem::path& Scratch() {
    static const ScratchFolder folder;
    return folder.path;
}

bool WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

bool WriteFile(const std::filesystem::path& path, const std::string& text) {
    return WriteFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

bool WriteDatabase(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::error_code error;
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        std::filesystem::remove(path.string() + suffix, error);
    return WriteFile(path, data, size);
}

std::pair<std::string, std::string> Split(const uint8_t* data, size_t size, const std::string& separator) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t at = input.find(separator);
    if (at == std::string::npos)
        return {input, std::string()};
    return {input.substr(0, at), input.substr(at + separator.size())};
}

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz target failed: %s\n", what);
    std::abort();
}

} // namespace fuzz
