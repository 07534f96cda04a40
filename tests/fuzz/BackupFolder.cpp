#include "BackupFolder.h"

#include "FuzzRegistry.h"
#include "formats/BackupReader.h"
#include "formats/BackupWriter.h"

using namespace vexa::formats;

bool WriteNoteBackup(const std::filesystem::path& folder, const std::string& password) {
    const std::filesystem::path note = folder.parent_path() / (folder.filename().string() + "-note.txt");
    fuzz::WriteFile(note, std::string("a note\n"));
    BackupProperties props;
    props.info = {
        {"Device Name", "Fuzz"}, {"Product Version", "12.0"}, {"Last Backup Date", "2024-01-02T03:04:05Z"}};
    BackupFile folderEntry{"HomeDomain", "Library/Notes", {}};
    folderEntry.mode = 040755;
    BackupWriter writer;
    writer.SetKeyRounds({1000, 100}); // the readers under the fuzzer derive the key on every run
    return writer.Open(folder, props, password) == kBackupOk && writer.AddFile(folderEntry) == kBackupOk &&
           writer.AddFile({"HomeDomain", "Library/Notes/note.txt", note}) == kBackupOk &&
           writer.Finish() == kBackupOk;
}

BackupFolder::BackupFolder(const std::string& folderName)
    : m_folder(fuzz::Scratch() / folderName) {
    if (!WriteNoteBackup(m_folder, ""))
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
