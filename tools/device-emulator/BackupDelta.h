#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sim/EarlierBackup.h"

namespace vexa::emulator {

// What an incremental backup sends. The host keeps the earlier backup; the device reads its manifest and
// compares it with the backup it has just made: files the host holds as they are stay where they are,
// changed and new ones are sent, and the host is told which of its files are gone. Stored files are named
// as in the backup folder ("ab/ab12...").
class BackupDelta {
public:
    // `earlier` holds the host's Manifest.plist, Manifest.db and Status.plist. False when they describe
    // no finished, plain backup: then everything is sent.
    bool ReadEarlier(const std::filesystem::path& earlier);
    // Sorts the stored files of the new backup in `current`.
    void Compare(const std::filesystem::path& current);
    // The host's copies of ToCompare() were fetched into `copies`: those that differ are sent too.
    void Settle(const std::filesystem::path& copies, const std::filesystem::path& current);

    const std::vector<std::string>& ToSend() const { return m_send; }
    // Files of the same size whose time does not tell (a database copied for this backup): their
    // content is compared with the host's.
    const std::vector<std::string>& ToCompare() const { return m_compare; }
    const std::vector<std::string>& Removed() const { return m_removed; }

private:
    std::filesystem::path m_earlierFolder;
    sim::EarlierBackup m_earlier;
    std::vector<std::string> m_send;
    std::vector<std::string> m_compare;
    std::vector<std::string> m_removed;
};

} // namespace vexa::emulator
