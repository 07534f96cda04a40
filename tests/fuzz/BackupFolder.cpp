#include "BackupFolder.h"

#include "FuzzRegistry.h"
#include "formats/BackupReader.h"
#include "formats/BackupWriter.h"

using namespace vexa::formats;

BackupFolder::BackupFolder(const std::string& folderName)
    : m_folder(fuzz::Scratch() / folderName) {
    const std::filesystem::path note = fuzz::Scratch() / (folderName + "-note.txt");
    fuzz::WriteFile(note, std::string("a note\n"));
    BackupProperties props;
    props.info["Device Name"] = "Fuzz";
    props.info["Product Version"] = "12.0";
    props.info["Last Backup Date"] = "2024-01-02T03:04:05Z";
    BackupWriter writer;
    BackupFile file;
    file.domain = "HomeDomain";
    file.relativePath = "Library/Notes/note.txt";
    file.source = note;
    BackupFile folder;
    folder.domain = "HomeDomain";
    folder.relativePath = "Library/Notes";
    folder.mode = 040755;
    if (writer.Open(m_folder, props, "") != kBackupOk || writer.AddFile(folder) != kBackupOk ||
        writer.AddFile(file) != kBackupOk || writer.Finish() != kBackupOk)
        fuzz::Fail("can't write the backup the target starts from");
}

void BackupFolder::ReadWith(const std::string& name, const uint8_t* data, size_t size) const {
    fuzz::WriteFile(m_folder / name, data, size);
    BackupReader reader;
    if (reader.Open(m_folder, "password") != kBackupOk)
        return;
    reader.TotalBytes();
    const std::filesystem::path out = m_folder.parent_path() / (m_folder.filename().string() + "-out");
    for (const BackupFile& file : reader.Files()) {
        const std::filesystem::path target = out / file.domain / file.relativePath;
        if (target.lexically_normal().string().rfind(out.string(), 0) != 0)
            fuzz::Fail("a backup entry leads out of the extraction folder");
        reader.Extract(file, target);
    }
    std::error_code error;
    std::filesystem::remove_all(out, error);
}
