#include "BackupHistory.h"

#include <string>

#include <sqlite3.h>

#include <vexa/VexaRecords.h>
#include <vexa/VexaResult.h>

#include "ResultArena.h"
#include "SimDatabase.h"
#include "TextCodec.h"

namespace vexa::sim {

namespace {
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS backups (udid TEXT NOT NULL, folder TEXT NOT NULL,"
    " device_name TEXT, date_time TEXT, product_type TEXT, product_version TEXT,"
    " serial_number TEXT, encrypted INTEGER, size INTEGER,"
    " PRIMARY KEY (udid, folder))";
}

BackupHistory::BackupHistory(SimDatabase& database)
    : m_database(database) {}

int BackupHistory::Add(const BackupEntry& entry) {
    auto session = m_database.Lock();
    if (int result = session.Exec(kSchema); result != VEXA_OK) {
        return result;
    }
    Statement insert(session.Handle(), "INSERT OR REPLACE INTO backups VALUES (?,?,?,?,?,?,?,?,?)");
    insert.Bind(1, entry.udid)
        .Bind(2, entry.folder)
        .Bind(3, entry.deviceName)
        .Bind(4, entry.dateTime)
        .Bind(5, entry.productType)
        .Bind(6, entry.productVersion)
        .Bind(7, entry.serialNumber)
        .Bind(8, int64_t(entry.encrypted ? 1 : 0))
        .Bind(9, static_cast<int64_t>(entry.size));
    return insert.Run();
}

int BackupHistory::List(const std::string& udid, std::vector<BackupEntry>& entries) {
    entries.clear();
    auto session = m_database.Lock();
    if (int result = session.Exec(kSchema); result != VEXA_OK) {
        return result;
    }
    Statement query(session.Handle(), "SELECT udid, folder, device_name, date_time, product_type,"
                                      " product_version, serial_number, encrypted, size FROM backups"
                                      " WHERE udid = ? ORDER BY date_time, folder");
    query.Bind(1, udid);
    while (query.Step() == SQLITE_ROW) {
        BackupEntry entry;
        entry.udid = query.Text(0);
        entry.folder = query.Text(1);
        entry.deviceName = query.Text(2);
        entry.dateTime = query.Text(3);
        entry.productType = query.Text(4);
        entry.productVersion = query.Text(5);
        entry.serialNumber = query.Text(6);
        entry.encrypted = query.Int(7) != 0;
        entry.size = static_cast<uint64_t>(query.Int(8));
        entries.push_back(std::move(entry));
    }
    return query.Result();
}

int BackupHistory::LeaveOut(const std::filesystem::path& databaseCopy) {
    const std::filesystem::path rewritten = databaseCopy.string() + ".rewritten";
    std::error_code error;
    std::filesystem::remove(rewritten, error);
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(databaseCopy.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    sqlite3_stmt* vacuum = nullptr;
    ok = ok &&
         sqlite3_exec(db, (std::string(kSchema) + "; DELETE FROM backups;").c_str(), nullptr, nullptr,
                      nullptr) == SQLITE_OK &&
         sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &vacuum, nullptr) == SQLITE_OK &&
         sqlite3_bind_text(vacuum, 1, rewritten.c_str(), -1, SQLITE_TRANSIENT) == SQLITE_OK &&
         sqlite3_step(vacuum) == SQLITE_DONE;
    sqlite3_finalize(vacuum);
    sqlite3_close_v2(db);
    if (ok)
        std::filesystem::rename(rewritten, databaseCopy, error);
    std::filesystem::remove(rewritten, error);
    return ok && !error ? VEXA_OK : VEXA_E_DATABASE;
}

BackupRecord* KeepRecords(ResultArena& arena, const std::vector<BackupEntry>& entries) {
    arena.Clear();
    BackupRecord* out = arena.NewArray<BackupRecord>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const BackupEntry& entry = entries[i];
        out[i].folder = arena.Keep16(ToUtf16(entry.folder));
        out[i].deviceName = arena.Keep(entry.deviceName);
        out[i].dateTime = arena.Keep(entry.dateTime);
        out[i].deviceType = arena.Keep(entry.productType);
        out[i].productVersion = arena.Keep(entry.productVersion);
        out[i].serialNumber = arena.Keep(entry.serialNumber);
        out[i].uniqueDeviceId = arena.Keep(entry.udid);
        out[i].encrypted = entry.encrypted ? 1 : 0;
        out[i].size = entry.size;
    }
    return out;
}

} // namespace vexa::sim
