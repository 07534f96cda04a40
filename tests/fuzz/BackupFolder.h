#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A backup of one note and its folder, made by our own writer; false when it could not be written.
bool WriteNoteBackup(const std::filesystem::path& folder, const std::string& password);

// A small unencrypted backup made by our own writer, in a folder of its own, whose file `name` the
// target replaces with the input before every read.
class BackupFolder {
public:
    explicit BackupFolder(const std::string& folderName);

    // Replaces `name` with the input, opens the backup and extracts every file it lists.
    void ReadWith(const std::string& name, const uint8_t* data, size_t size) const;

private:
    std::filesystem::path m_folder;
};
