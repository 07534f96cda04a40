#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <vexa/VexaRecords.h>

#include "../ResultArena.h"
#include "MessageStore.h"
#include "ios/CallHistoryReader.h"

namespace vexa::sim {

class SimDevice;

// The address book's numbers, found again by the number of a call however either is written. Two
// numbers that reach the same phone share their last seven digits (or all of them when shorter), so
// only the numbers of that bucket are compared.
class NumberDirectory {
public:
    explicit NumberDirectory(std::vector<KnownNumber> numbers);
    // The name of the first contact whose number matches `number`; null when none does.
    const std::string* NameOf(std::string_view number) const;

private:
    static std::string KeyOf(std::string_view number);

    std::vector<KnownNumber> m_numbers;
    std::unordered_map<std::string, std::vector<size_t>> m_buckets;
};

// The calls for IDeviceService::GetCallHistory, read from the device's call history file through the
// phone's reader and named from its address book, built in `arena`. The caller has already passed
// CheckCall("GetCallHistory").
int ReadCallHistory(SimDevice& device, ResultArena& arena, CallHistoryList** list);

// The calls read from a phone's call history file as the records hand them out, each named from
// `numbers` (asked only when there are calls), built in `arena`.
CallHistoryList* ListCalls(const std::vector<ios::CallRecord>& calls,
                           const std::function<std::vector<KnownNumber>()>& numbers, ResultArena& arena);

} // namespace vexa::sim
