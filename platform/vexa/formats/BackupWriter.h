#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/BackupKeyBag.h"
#include "formats/BackupTypes.h"

namespace vexa::formats {

class ManifestDatabase;

// Writes a whole-device backup in the standard layout: Info.plist, Manifest.plist, Status.plist (written
// last, so an interrupted backup is recognisable), Manifest.db with the Files table, and each file stored as
// <folder>/<id[0:2]>/<id>.
//
// With a password the backup is encrypted the way device backups are: Manifest.plist holds the keybag
// ("BackupKeyBag", class keys wrapped under the password key) and "ManifestKey" (the key of Manifest.db
// wrapped under a class key); each stored file has a key of its own, wrapped under its class key and kept
// in its record in Manifest.db. Manifest.db and the stored files are AES-256-CBC; the plists stay readable.
class BackupWriter {
public:
    BackupWriter();
    ~BackupWriter();
    BackupWriter(const BackupWriter&) = delete;
    BackupWriter& operator=(const BackupWriter&) = delete;

    // Rounds of the password key of the next encrypted backup; the device's own by default.
    void SetKeyRounds(const BackupKeyRounds& rounds) { m_rounds = rounds; }
    // Plain contents are hard-linked into the backup where the file system allows, not copied. Only for
    // a snapshot that lives while it is sent on (the device emulator's): a link follows later changes
    // to the device's file, so a backup the user keeps must never be made this way.
    void LinkPlainContents() { m_linkPlain = true; }
    int Open(const std::filesystem::path& folder, const BackupProperties& props, const std::string& password);
    int AddFile(const BackupFile& file);

    // AddFile in two steps, so that several files can be stored at once: StoreFile copies (or encrypts)
    // the content into place and may run on any thread between Open and Finish; AddStored then lists
    // the stored file in the manifest, one file at a time.
    struct StoredFile {
        BackupFile record;
        std::string fileId;
        uint64_t plainSize = 0;
    };
    int StoreFile(const BackupFile& file, StoredFile& stored) const;
    // StoreFile for a file unchanged since an earlier plain backup, whose stored copy there is
    // `earlier`: that copy is linked into this backup (copied where the file system cannot link), so
    // the earlier backup stays as it is. `file.modified` should be set. Not for an encrypted backup,
    // whose files each have a key of their own: there it stores `file` as StoreFile does.
    int StoreEarlier(const BackupFile& file, const std::filesystem::path& earlier, StoredFile& stored) const;
    int AddStored(const StoredFile& stored);
    int Finish();
    // Info.plist alone, for a backup whose other files a device wrote itself.
    static bool WriteInfoPlist(const std::filesystem::path& folder, const BackupProperties& props);

private:
    int store(const BackupFile& file, StoredFile& stored, bool link) const;
    int storeContent(BackupFile& record, const std::string& fileId, uint64_t& plainSize, bool link) const;
    int sealManifest();
    int writePlists();
    std::filesystem::path databasePath() const;

    std::filesystem::path m_folder;
    BackupProperties m_props;
    BackupKeyRounds m_rounds;
    std::unique_ptr<BackupKeyBag> m_keyBag;
    std::vector<uint8_t> m_manifestKey;
    std::vector<uint8_t> m_wrappedManifestKey;
    std::unique_ptr<ManifestDatabase> m_database;
    bool m_open = false;
    bool m_linkPlain = false;
};

} // namespace vexa::formats
