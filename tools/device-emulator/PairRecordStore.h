#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace vexa::emulator {

// The muxer's side of pairing: the host's system BUID and the pair records clients save per device,
// kept as files in the emulator's state folder (<UDID>.plist, SystemBUID).
class PairRecordStore {
public:
    explicit PairRecordStore(std::filesystem::path folder);

    std::string SystemBuid();
    // False when no record was saved for the device.
    bool Read(const std::string& udid, std::vector<uint8_t>& record);
    bool Save(const std::string& udid, const std::vector<uint8_t>& record);
    bool Remove(const std::string& udid);

private:
    std::filesystem::path fileOf(const std::string& udid) const;

    std::filesystem::path m_folder;
    std::mutex m_mutex;
    std::string m_systemBuid;
};

} // namespace vexa::emulator
