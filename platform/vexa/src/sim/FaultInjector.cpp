#include "FaultInjector.h"

#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include <vexa/VexaResult.h>

#include "DeviceState.h"

namespace vexa::sim {

namespace {
// Far more lines than any test plans; a bigger file is not a faults file.
constexpr size_t kFaultsFileLimit = 64 * 1024;
} // namespace

FaultInjector::FaultInjector(std::filesystem::path faultsFile)
    : m_file(std::move(faultsFile)) {}

bool FaultInjector::Parse(const std::string& line, FaultSpec& fault) {
    std::istringstream in(line);
    std::string code;
    if (!(in >> fault.operation >> code >> fault.delayMs >> fault.after)) {
        return false;
    }
    fault.unplug = code == "unplug";
    if (!fault.unplug) {
        try {
            size_t used = 0;
            fault.code = std::stoi(code, &used);
            if (used != code.size()) {
                return false;
            }
        } catch (...) {
            return false;
        }
    }
    return fault.delayMs >= 0 && fault.after >= 0;
}

void FaultInjector::reloadIfChanged() {
    struct stat info {};
    if (::stat(m_file.c_str(), &info) != 0) {
        m_faults.clear();
        m_stamp = -1;
        return;
    }
    const int64_t stamp = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    if (stamp == m_stamp && info.st_ino == m_inode && static_cast<uint64_t>(info.st_size) == m_size) {
        return;
    }
    m_stamp = stamp;
    m_inode = info.st_ino;
    m_size = static_cast<uint64_t>(info.st_size);
    m_faults.clear();
    std::string text;
    if (ReadSmallFile(m_file, kFaultsFileLimit, text) != VEXA_OK) {
        return; // an oversized or odd file plans no faults
    }
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        FaultSpec spec;
        if (Parse(line, spec)) {
            m_faults.push_back({spec, 0});
        }
    }
}

FaultOutcome FaultInjector::Check(const std::string& operation) {
    std::lock_guard lock(m_mutex);
    reloadIfChanged();
    for (auto& planned : m_faults) {
        if (planned.spec.operation != operation && planned.spec.operation != "*") {
            continue;
        }
        if (planned.calls++ < planned.spec.after) {
            return {};
        }
        return {true, planned.spec};
    }
    return {};
}

int FaultInjector::Add(const std::filesystem::path& faultsFile, const FaultSpec& fault) {
    std::string content;
    {
        std::string text;
        if (const int read = ReadSmallFile(faultsFile, kFaultsFileLimit, text);
            read != VEXA_OK && read != VEXA_E_NOT_FOUND) {
            return read;
        }
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            FaultSpec existing;
            // A new fault for the same operation replaces the old one.
            if (Parse(line, existing) && existing.operation != fault.operation) {
                content += line + "\n";
            }
        }
    }
    content += fault.operation + " " + (fault.unplug ? std::string("unplug") : std::to_string(fault.code)) +
               " " + std::to_string(fault.delayMs) + " " + std::to_string(fault.after) + "\n";
    return WriteFileAtomically(faultsFile, content);
}

int FaultInjector::Clear(const std::filesystem::path& faultsFile) {
    std::error_code error;
    std::filesystem::remove(faultsFile, error);
    return error ? VEXA_E_IO : VEXA_OK;
}

} // namespace vexa::sim
