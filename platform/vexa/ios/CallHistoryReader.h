#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ReadOnlyDatabase.h"

namespace vexa::ios {

struct CallRecord {
    std::string address;  // the number or address called or calling; empty when withheld
    int64_t unixTime = 0; // seconds since 1970, UTC
    double durationSeconds = 0;
    bool outgoing = false;
    bool answered = false; // an incoming call neither answered nor outgoing was missed
    int callType = 0;      // 1 phone, 8 FaceTime video, 16 FaceTime audio, 0 another app's call
};

// Reads the phone's call history (Library/CallHistoryDB/CallHistory.storedata, a Core Data store):
// ZCALLRECORD is required, each of its columns optional. Newest call first. Read answers a ReadResult
// and, unless kReadOk, leaves `calls` empty.
class CallHistoryReader {
public:
    int Read(const std::filesystem::path& file, std::vector<CallRecord>& calls,
             ReadOnlyDatabase::Mode mode = ReadOnlyDatabase::Mode::Copy);
};

} // namespace vexa::ios
