// Writes the seeds our own writers can make into tests/fuzz/corpus/<target>/ (run by hand after a change
// of a writer: `fuzz_make_seeds tests/fuzz/corpus`). Hand-made seeds sit beside them.
#include <cstdio>
#include <fstream>

#include <sqlite3.h>

#include "BackupFolder.h"
#include "FuzzRegistry.h"
#include "formats/BackupWriter.h"
#include "formats/BookFile.h"
#include "formats/FileRecordArchive.h"
#include "formats/IpaFile.h"
#include "sim/content/AddressBookSchema.h"
#include "sim/content/AttributedBodyArchive.h"
#include "sim/content/ContactStore.h"
#include "sim/content/ContentSchema.h"
#include "sim/content/MessageStore.h"

using namespace vexa::formats;
namespace fs = std::filesystem;

namespace {

bool copyInto(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
}

bool writeBackupSeeds(const fs::path& corpus) {
    const fs::path plain = fuzz::Scratch() / "plain", encrypted = fuzz::Scratch() / "encrypted";
    return WriteNoteBackup(plain, "") && WriteNoteBackup(encrypted, "password") &&
           copyInto(plain / "Info.plist", corpus / "backup_info_plist/info.plist") &&
           copyInto(plain / "Status.plist", corpus / "backup_info_plist/status.plist") &&
           copyInto(plain / "Manifest.plist", corpus / "backup_manifest_plist/plain.plist") &&
           copyInto(encrypted / "Manifest.plist", corpus / "backup_manifest_plist/encrypted.plist") &&
           copyInto(plain / "Manifest.db", corpus / "backup_manifest_db/manifest.db") &&
           copyInto(plain / "Manifest.plist", corpus / "plist/manifest.plist");
}

bool writeFileRecordSeeds(const fs::path& corpus) {
    BackupFile file;
    file.relativePath = "Library/Notes/note.txt";
    file.modified = 1700000000;
    const std::vector<uint8_t> record = FileRecordArchive::Encode(file, 7);
    fs::create_directories(corpus / "file_record");
    return fuzz::WriteFile(corpus / "file_record/file.bin", record.data(), record.size()) &&
           fuzz::WriteFile(corpus / "plist/keyed_archive.bplist", record.data(), record.size());
}

bool writeBookSeeds(const fs::path& corpus) {
    fs::create_directories(corpus / "epub_zip");
    fs::create_directories(corpus / "pdf_info");
    const BookSpec spec{"Seed Title", "Seed Author", 1};
    return WriteEpub(corpus / "epub_zip/book.epub", spec, false) &&
           WritePdf(corpus / "pdf_info/book.pdf", spec);
}

bool writeIpaSeeds(const fs::path& corpus) {
    AppBundle app;
    app.bundleId = "com.example.seed";
    app.displayName = "Seed";
    app.version = "1";
    app.shortVersion = "1.0";
    app.minimumOS = "9.0";
    app.executable = "Seed";
    fs::create_directories(corpus / "ipa");
    return WriteIpa(corpus / "ipa/app.ipa", app);
}

bool writeDeviceDatabaseSeed(const fs::path& corpus) {
    const fs::path file = fuzz::Scratch() / "device.db";
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, "PRAGMA page_size=512", nullptr, nullptr, nullptr) == SQLITE_OK &&
              vexa::sim::ContentSchema::EnsureDeviceTables(db) && vexa::sim::AddressBookSchema::Ensure(db);
    vexa::sim::ContactData contact;
    contact.firstName = "Ann";
    contact.lastName = "Lee";
    contact.phones = {{"mobile", "+1 555 0100"}};
    contact.emails = {{"home", "ann@example.com"}};
    int64_t id = 0;
    ok = ok && vexa::sim::ContactStore(db).Insert(contact, &id) == 0;
    ok = ok && sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok && copyInto(file, corpus / "sim_database/device.db");
}

// A message database as the simulator writes it: a one-to-one chat and a group, texts in the text
// column and in attributedBody, an attachment and a tapback.
bool writeMessageSeeds(const fs::path& corpus) {
    const fs::path folder = fuzz::Scratch() / "sms";
    const fs::path file = folder / "sms.db";
    const fs::path photo = fuzz::Scratch() / "IMG_0001.JPG";
    fuzz::WriteFile(photo, std::string("\xFF\xD8\xFF\xD9", 4));
    std::error_code error;
    fs::create_directories(folder, error);
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, "PRAGMA page_size=512", nullptr, nullptr, nullptr) == SQLITE_OK &&
              vexa::sim::MessageStore::EnsureTables(db);
    vexa::sim::MessageStore messages(db, folder);
    int64_t single = 0;
    int64_t group = 0;
    ok = ok && messages.AddConversation("+1 555 0100", std::nullopt, &single) == 0 &&
         messages.AddGroupConversation("Seed group", {"+1 555 0100", "ann@example.com"}, &group) == 0;
    vexa::sim::MessageStore::Message message;
    message.dateTime = "2024-01-02 03:04:05";
    message.text = "hello \xF0\x9F\x98\x80";
    message.bodyOnly = true;
    message.attachments = {photo};
    std::string guid;
    ok = ok && messages.AddMessage(single, message, &guid) == 0 &&
         messages.AddMessage(group, true, "2024-01-02 03:05:00", "plain") == 0 &&
         messages.AddReaction(single, guid, 2000, true, "2024-01-02 03:06:00") == 0;
    ok = ok && sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    const std::string body =
        vexa::sim::ArchiveAttributedBody(std::string(200, 'x') + "\xEF\xBF\xBC\xF0\x9F\x98\x80");
    return ok && copyInto(file, corpus / "sms_database/sms.db") &&
           fuzz::WriteFile(corpus / "attributed_body/long_text.bin", body);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
        return 2;
    }
    const fs::path corpus = argv[1];
    const bool ok = writeBackupSeeds(corpus) && writeFileRecordSeeds(corpus) && writeBookSeeds(corpus) &&
                    writeIpaSeeds(corpus) && writeDeviceDatabaseSeed(corpus) && writeMessageSeeds(corpus);
    std::fprintf(stderr, ok ? "seeds written\n" : "a seed could not be written\n");
    return ok ? 0 : 1;
}
