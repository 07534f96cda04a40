#include "SimCallHistory.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include <vexa/VexaResult.h>

#include "../SimDevice.h"
#include "AddressBookNumbers.h"
#include "CallHistoryStore.h"
#include "PhoneNumbers.h"
#include "ReadResultCode.h"

namespace vexa::sim {

namespace {
constexpr size_t kSubscriberDigits = 7;
} // namespace

NumberDirectory::NumberDirectory(std::vector<KnownNumber> numbers)
    : m_numbers(std::move(numbers)) {
    for (size_t i = 0; i < m_numbers.size(); ++i)
        m_buckets[KeyOf(m_numbers[i].number)].push_back(i);
}

std::string NumberDirectory::KeyOf(std::string_view number) {
    std::string digits;
    for (char c : number)
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
    return digits.size() > kSubscriberDigits ? digits.substr(digits.size() - kSubscriberDigits) : digits;
}

const std::string* NumberDirectory::NameOf(std::string_view number) const {
    const auto bucket = m_buckets.find(KeyOf(number));
    if (bucket == m_buckets.end())
        return nullptr;
    for (size_t i : bucket->second)
        if (PhoneNumbersMatch(number, m_numbers[i].number))
            return &m_numbers[i].name;
    return nullptr;
}

int ReadCallHistory(SimDevice& device, ResultArena& arena, CallHistoryList** list) {
    if (!list)
        return VEXA_E_INVALID_ARGUMENT;
    *list = nullptr;
    const std::filesystem::path file = CallHistoryStore::DatabasePath(device.Folder());
    // A call history that links out of the device is not followed.
    std::error_code error;
    if (std::filesystem::is_symlink(file, error))
        return VEXA_E_NOT_FOUND;
    std::vector<ios::CallRecord> calls;
    if (int code = VexaResultOf(ios::CallHistoryReader().Read(file, calls)))
        return code;
    *list = ListCalls(
        calls, [&device] { return AddressBookNumbers(device); }, arena);
    return VEXA_OK;
}

CallHistoryList* ListCalls(const std::vector<ios::CallRecord>& calls,
                           const std::function<std::vector<KnownNumber>()>& numbers, ResultArena& arena) {
    auto* out = arena.NewArray<CallHistoryList>(1);
    out->count = static_cast<int32_t>(calls.size());
    out->calls = arena.NewArray<CallHistoryRecord>(calls.size());
    const NumberDirectory directory(calls.empty() ? std::vector<KnownNumber>() : numbers());
    for (size_t i = 0; i < calls.size(); ++i) {
        const ios::CallRecord& call = calls[i];
        CallHistoryRecord& record = out->calls[i];
        record.address = arena.Keep(call.address);
        const std::string* name = call.address.empty() ? nullptr : directory.NameOf(call.address);
        record.name = name ? arena.Keep(*name) : nullptr;
        record.date = call.unixTime;
        record.duration = call.durationSeconds;
        record.outgoing = call.outgoing ? 1 : 0;
        record.answered = call.answered ? 1 : 0;
        record.kind = call.callType;
    }
    return out;
}

} // namespace vexa::sim
