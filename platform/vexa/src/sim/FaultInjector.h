#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace vexa::sim {

// A fault planned for one operation of a device: after `after` calls that go through, every further call
// waits `delayMs` and then fails with `code` (0 lets it succeed late), or unplugs the device.
struct FaultSpec {
    std::string operation; // "GetContacts", ..., or "*" for every operation
    int code = 0;
    bool unplug = false;
    int delayMs = 0;
    int after = 0;
};

struct FaultOutcome {
    bool fires = false;
    FaultSpec spec;
};

// Reads the device's `faults` file (one fault a line: OPERATION CODE|unplug DELAY_MS AFTER), written by
// vexa-simctl in another process. The file is re-read when it changes; call counts restart then.
class FaultInjector {
public:
    explicit FaultInjector(std::filesystem::path faultsFile);

    FaultOutcome Check(const std::string& operation);

    static int Add(const std::filesystem::path& faultsFile, const FaultSpec& fault);
    static int Clear(const std::filesystem::path& faultsFile);
    static bool Parse(const std::string& line, FaultSpec& fault);

private:
    struct Planned {
        FaultSpec spec;
        int calls = 0;
    };
    void reloadIfChanged();

    std::filesystem::path m_file;
    std::mutex m_mutex;
    std::vector<Planned> m_faults;
    int64_t m_stamp = -1;
    uint64_t m_inode = 0;
    uint64_t m_size = 0;
};

} // namespace vexa::sim
