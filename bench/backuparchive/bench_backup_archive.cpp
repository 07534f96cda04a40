// An encrypted backup with the phone's own key rounds, a message database of about 100 MB and 20,000 other
// files: the time to derive the password key once, then to unlock with that key, copy the database out
// and open it.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sqlite3.h>

#include <QTemporaryDir>

#include "BenchReport.h"
#include "formats/BackupWriter.h"
#include "ios/BackupArchive.h"
#include "ios/ReadOnlyDatabase.h"
#include "ios/ReadResult.h"

namespace fs = std::filesystem;
using namespace vexa;

namespace {

constexpr const char* kPassword = "bench password";
constexpr int kSmallFiles = 20000;
constexpr int kMessages = 75000;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A message table of about 100 MB, the size of a busy phone's sms.db.
bool MakeMessages(const fs::path& file) {
    sqlite3* database = nullptr;
    const std::string sql =
        "CREATE TABLE message(ROWID INTEGER PRIMARY KEY, text TEXT, attributedBody BLOB);"
        "BEGIN;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(kMessages) +
        ") INSERT INTO message(text, attributedBody) SELECT 'message ' || i, randomblob(1000) FROM n;"
        "COMMIT;";
    bool ok = sqlite3_open(file.c_str(), &database) == SQLITE_OK &&
              sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(database);
    return ok;
}

bool MakeBackup(const fs::path& root, const fs::path& backup) {
    const fs::path messages = root / "sms.db";
    const fs::path small = root / "small.plist";
    std::ofstream(small) << std::string(1000, 'p');
    if (!MakeMessages(messages))
        return false;
    formats::BackupWriter writer;
    formats::BackupProperties properties;
    properties.info["Device Name"] = "Bench iPhone";
    properties.info["Product Version"] = "17.1";
    if (writer.Open(backup, properties, kPassword) != formats::kBackupOk ||
        writer.AddFile({"HomeDomain", "Library/SMS/sms.db", messages}) != formats::kBackupOk)
        return false;
    for (int i = 0; i < kSmallFiles; ++i) {
        if (writer.AddFile({"HomeDomain", "Library/Preferences/file" + std::to_string(i) + ".plist",
                            small}) != formats::kBackupOk)
            return false;
    }
    return writer.Finish() == formats::kBackupOk;
}

} // namespace

int main() {
    QTemporaryDir temporary;
    const fs::path root = temporary.path().toStdString();
    const fs::path backup = root / "backup";
    auto start = std::chrono::steady_clock::now();
    if (!MakeBackup(root, backup)) {
        std::printf("could not write the backup\n");
        return 1;
    }
    std::printf("backup of %d messages and %d files written in %.1f s\n", kMessages, kSmallFiles + 1,
                Seconds(start));

    ios::BackupArchive first;
    start = std::chrono::steady_clock::now();
    if (first.Open(backup) != ios::kReadOk || first.Unlock(kPassword) != ios::kReadOk) {
        std::printf("could not unlock: %s\n", first.Problem().c_str());
        return 1;
    }
    const double derivation = Seconds(start);

    // What a page does once the key is known: a fresh archive unlocked with it, the database out and open.
    start = std::chrono::steady_clock::now();
    ios::BackupArchive archive;
    bool ok =
        archive.Open(backup) == ios::kReadOk && archive.UnlockWithKey(first.PasswordKey()) == ios::kReadOk;
    const double unlock = Seconds(start);
    const fs::path out = root / "out";
    fs::path copied;
    ok = ok && archive.CopyOut("HomeDomain", "Library/SMS/sms.db", out, &copied) == ios::kReadOk;
    const double copiedAt = Seconds(start);
    ios::ReadOnlyDatabase database;
    ok = ok && database.Open(copied, ios::ReadOnlyDatabase::Mode::InPlace) == ios::kReadOk;
    ios::Query count(database, "SELECT count(*) FROM message");
    ok = ok && count.Next() && count.Int(0) == kMessages;
    const double opened = Seconds(start);
    if (!ok) {
        std::printf("could not copy out or read the database: %s\n", archive.Problem().c_str());
        return 1;
    }
    std::error_code error;
    std::printf("sms.db: %.1f MB\n", double(fs::file_size(copied, error)) / 1e6);
    BenchWatch("backup_archive.key_derivation", derivation * 1000, "ms");
    BenchWatch("backup_archive.unlock_with_key", unlock * 1000, "ms");
    BenchWatch("backup_archive.sms_db_out", copiedAt * 1000, "ms");
    return BenchFigure("backup_archive.sms_db_out_and_open", opened * 1000, "ms", 2000) ? 0 : 1;
}
