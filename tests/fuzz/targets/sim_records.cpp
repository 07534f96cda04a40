// The records of a simulated device: the input is SQL run on a fresh device database (what another
// program may have written there), after which everything is listed the way the views load it.
#include <algorithm>
#include <cctype>

#include <sqlite3.h>

#include "DeviceContent.h"
#include "FuzzRegistry.h"
#include "sim/content/ContentSchema.h"

using namespace vexa::sim;

namespace {

struct Connection {
    ~Connection() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

} // namespace

VEXA_FUZZ_TARGET(sim_records) {
    Connection connection;
    if (sqlite3_open(":memory:", &connection.db) != SQLITE_OK)
        fuzz::Fail("can't open an in-memory database");
    if (!ContentSchema::EnsureDeviceTables(connection.db) || !ContentSchema::EnsureMediaTables(connection.db))
        fuzz::Fail("can't create the device tables");
    const std::string sql(reinterpret_cast<const char*>(data), size);
    std::string lower = sql;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    // Statements that would reach outside the database are not records; leave them out.
    if (lower.find("attach") != std::string::npos || lower.find("vacuum") != std::string::npos)
        return 0;
    sqlite3_exec(connection.db, sql.c_str(), nullptr, nullptr, nullptr);
    ListDeviceContent(connection.db, fuzz::Scratch() / "sim_records");
    return 0;
}
