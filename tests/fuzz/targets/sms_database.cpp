// A phone's message database or call history, as a backup or a damaged disk may hand it over.
#include "FuzzRegistry.h"
#include "ios/CallHistoryReader.h"
#include "ios/MessageDatabaseReader.h"
#include "ios/ReadResult.h"

VEXA_FUZZ_TARGET(sms_database) {
    const std::filesystem::path file = fuzz::Scratch() / "sms.db";
    fuzz::WriteDatabase(file, data, size);
    std::vector<vexa::ios::ChatConversation> chats;
    const int read = vexa::ios::MessageDatabaseReader().Read(file, chats);
    if (read != vexa::ios::kReadOk && !chats.empty())
        fuzz::Fail("a failed read handed out conversations");
    std::vector<vexa::ios::CallRecord> calls;
    if (vexa::ios::CallHistoryReader().Read(file, calls) != vexa::ios::kReadOk && !calls.empty())
        fuzz::Fail("a failed read handed out calls");
    return 0;
}
