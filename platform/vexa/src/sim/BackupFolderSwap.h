#pragma once

#include <filesystem>
#include <string>

namespace vexa::sim {

// Puts a finished backup, written into a fresh folder inside the target folder, in place of whatever
// backup the target held. Only the entries a backup consists of move (the plists, Manifest.db and the
// two-hex-digit folders), so other files the user keeps in that folder stay where they are.
class BackupFolderSwap {
public:
    // A new, empty folder inside `target` for the backup being written; empty on failure.
    static std::filesystem::path MakeStaging(const std::filesystem::path& target);
    // Moves the old backup's entries aside, the new ones in, and deletes the old ones. A failed move
    // undoes the earlier ones, so the target keeps its old backup; answers a VexaResult.
    static int Replace(const std::filesystem::path& target, const std::filesystem::path& staging);
    static bool IsBackupEntry(const std::string& name);
};

} // namespace vexa::sim
