#include "CallHistoryStore.h"

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ios/AppleTime.h"

namespace vexa::sim {

namespace {

constexpr int64_t kCallRecordEntity = 2;

// The store's tables as Core Data lays them out: Z_PK, Z_ENT and Z_OPT before the attributes.
constexpr const char* kTables = R"sql(
CREATE TABLE IF NOT EXISTS Z_PRIMARYKEY(Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, Z_MAX INTEGER);
CREATE TABLE IF NOT EXISTS Z_METADATA(Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);
CREATE TABLE IF NOT EXISTS ZCALLRECORD(
    Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZANSWERED INTEGER, ZCALLTYPE INTEGER,
    ZDISCONNECTED_CAUSE INTEGER, ZFACE_TIME_DATA INTEGER, ZNUMBER_AVAILABILITY INTEGER, ZORIGINATED INTEGER,
    ZREAD INTEGER, ZDATE TIMESTAMP, ZDURATION FLOAT, ZADDRESS VARCHAR, ZDEVICE_ID VARCHAR,
    ZISO_COUNTRY_CODE VARCHAR, ZLOCATION VARCHAR, ZNAME VARCHAR, ZSERVICE_PROVIDER VARCHAR, ZUNIQUE_ID VARCHAR);
CREATE INDEX IF NOT EXISTS ZCALLRECORD_ZDATE_INDEX ON ZCALLRECORD(ZDATE);
INSERT OR IGNORE INTO Z_PRIMARYKEY(Z_ENT, Z_NAME, Z_SUPER, Z_MAX) VALUES (2, 'CallRecord', 0, 0);
INSERT OR IGNORE INTO Z_METADATA(Z_VERSION, Z_UUID) VALUES (1, '6C2A9E4B-31D5-4F0A-9B7E-2D8C5A1F0E93');
)sql";

} // namespace

std::filesystem::path CallHistoryStore::DatabasePath(const std::filesystem::path& deviceFolder) {
    return deviceFolder / "Library" / "CallHistoryDB" / "CallHistory.storedata";
}

bool CallHistoryStore::EnsureTables(sqlite3* db) {
    return db && sqlite3_exec(db, kTables, nullptr, nullptr, nullptr) == SQLITE_OK;
}

CallHistoryStore::CallHistoryStore(sqlite3* db)
    : m_db(db) {}

int CallHistoryStore::Add(const Call& call) {
    // Times and durations are REAL in a Core Data store: seconds since 2001, and seconds given here in
    // milliseconds.
    Statement insert(m_db, "INSERT INTO ZCALLRECORD(Z_ENT, Z_OPT, ZANSWERED, ZCALLTYPE, ZDISCONNECTED_CAUSE, "
                           "ZNUMBER_AVAILABILITY, ZORIGINATED, ZREAD, ZDATE, ZDURATION, ZADDRESS, "
                           "ZISO_COUNTRY_CODE, ZSERVICE_PROVIDER, ZUNIQUE_ID) "
                           "VALUES (?1, 1, ?2, ?3, 0, 0, ?4, 1, CAST(?5 AS REAL), ?6 / 1000.0, ?7, 'us', "
                           "'com.apple.Telephony', "
                           "(SELECT printf('%08X-0000-4000-8000-%012X', n, n * 2654435761) FROM "
                           "(SELECT coalesce(max(Z_PK), 0) + 1 AS n FROM ZCALLRECORD)))");
    insert.Bind(1, kCallRecordEntity).Bind(2, int64_t(call.answered)).Bind(3, int64_t(call.callType));
    insert.Bind(4, int64_t(call.outgoing)).Bind(5, int64_t(ios::AppleSecondsFromUnix(call.unixTime)));
    insert.Bind(6, int64_t(call.durationSeconds * 1000)).Bind(7, std::string_view(call.address));
    return insert.Run();
}

int CallHistoryStore::Finish() {
    return Statement(m_db, "UPDATE Z_PRIMARYKEY SET Z_MAX = (SELECT coalesce(max(Z_PK), 0) FROM ZCALLRECORD) "
                           "WHERE Z_ENT = 2")
        .Run();
}

int CallHistoryStore::Write(const std::filesystem::path& deviceFolder, int count,
                            const std::function<Call(int)>& call) {
    const std::filesystem::path file = DatabasePath(deviceFolder);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    SimDatabase database(file, SimDatabase::OpenMode::CreateIfMissing);
    auto session = database.Lock();
    if (session.Result())
        return session.Result();
    if (!EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    Transaction transaction(session);
    CallHistoryStore store(session.Handle());
    for (int i = 0; i < count; ++i) {
        if (int code = store.Add(call(i)))
            return code;
    }
    if (int code = store.Finish())
        return code;
    return transaction.Commit();
}

} // namespace vexa::sim
