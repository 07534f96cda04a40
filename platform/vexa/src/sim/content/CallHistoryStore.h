#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

struct sqlite3;

namespace vexa::sim {

// The phone's call history (Library/CallHistoryDB/CallHistory.storedata), a Core Data store: calls in
// ZCALLRECORD with the entity's row in Z_PRIMARYKEY. The simulator only writes it when a device is
// made; the call history page reads it through the phone's reader.
class CallHistoryStore {
public:
    static std::filesystem::path DatabasePath(const std::filesystem::path& deviceFolder);
    static bool EnsureTables(sqlite3* db);

    explicit CallHistoryStore(sqlite3* db);

    struct Call {
        std::string address;
        int64_t unixTime = 0;
        double durationSeconds = 0;
        bool outgoing = false;
        bool answered = false;
        int callType = 1; // 1 phone, 8 FaceTime video, 16 FaceTime audio
    };
    int Add(const Call& call);
    // Writes the device's call history file anew with `count` calls, the i-th (from 0) as `call` makes it,
    // in one transaction.
    static int Write(const std::filesystem::path& deviceFolder, int count,
                     const std::function<Call(int)>& call);
    // Brings Z_PRIMARYKEY's count of records up to date; once after the last Add.
    int Finish();

private:
    sqlite3* m_db;
};

} // namespace vexa::sim
