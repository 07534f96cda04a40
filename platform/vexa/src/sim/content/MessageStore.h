#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::sim {

// Everything GetMessages hands out; the records point into it.
struct ConversationListBuffer {
    ConversationList list{};
    std::vector<ConversationRecord> conversations;
    std::vector<MessageRecord> messages;
    TextArena text;
};

// Conversations and their messages in the device database. The caller holds the database lock.
class MessageStore {
public:
    // `addressBook` is the device's AddressBook.sqlitedb, where names of conversations come from.
    explicit MessageStore(sqlite3* db, std::filesystem::path addressBook = {});

    int AddConversation(const std::string& address, const std::optional<std::string>& name, int64_t* id);
    // date is "yyyy-MM-dd hh:mm:ss"; messages keep the order they were added in.
    int AddMessage(int64_t conversationId, bool sent, const std::string& date, const std::string& text);
    // The same with the direction byte as the device would store it: 0 received, any other value sent.
    int AddMessageWithDirection(int64_t conversationId, uint8_t direction, const std::string& date,
                                const std::string& text);
    // Removes every conversation and message.
    int Clear();
    // A conversation the device stored without a name takes the name of the contact whose number
    // matches its address, written alike or not.
    int List(ConversationListBuffer& out);

private:
    void NameFromAddressBook(ConversationListBuffer& out);

    sqlite3* m_db;
    std::filesystem::path m_addressBook;
};

} // namespace vexa::sim
