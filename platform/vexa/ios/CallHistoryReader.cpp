#include "CallHistoryReader.h"

#include <sqlite3.h>

#include "AppleTime.h"
#include "ReadResult.h"

namespace vexa::ios {

namespace {

std::string Column(const std::set<std::string, std::less<>>& columns, const char* name) {
    return columns.count(name) ? std::string(name) : std::string("NULL");
}

} // namespace

int CallHistoryReader::Read(const std::filesystem::path& file, std::vector<CallRecord>& calls,
                            ReadOnlyDatabase::Mode mode) {
    calls.clear();
    ReadOnlyDatabase database;
    if (int code = database.Open(file, mode))
        return code;
    if (!database.HasTable("ZCALLRECORD"))
        return kReadDamaged;
    const auto columns = database.Columns("ZCALLRECORD");
    // ZADDRESS is sometimes a BLOB holding the UTF-8 text; reading it as text takes either.
    Query query(database, "SELECT " + Column(columns, "ZADDRESS") + ", " + Column(columns, "ZDATE") + ", " +
                              Column(columns, "ZDURATION") + ", " + Column(columns, "ZORIGINATED") + ", " +
                              Column(columns, "ZANSWERED") + ", " + Column(columns, "ZCALLTYPE") +
                              " FROM ZCALLRECORD ORDER BY 2 DESC, rowid DESC");
    while (query.Next()) {
        CallRecord call;
        call.address = query.Text(0);
        call.unixTime = UnixFromAppleSeconds(query.Real(1));
        call.durationSeconds = query.Real(2);
        call.outgoing = query.Int(3) != 0;
        call.answered = query.Int(4) != 0;
        call.callType = int(query.Int(5));
        calls.push_back(std::move(call));
    }
    if (query.Error() != SQLITE_OK) {
        calls.clear();
        const int primary = query.Error() & 0xff;
        return primary == SQLITE_BUSY || primary == SQLITE_NOMEM ? kReadIoError : kReadDamaged;
    }
    return kReadOk;
}

} // namespace vexa::ios
