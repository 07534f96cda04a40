#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <vexa/VexaRecords.h>

#include "../SimDatabase.h"
#include "TextArena.h"

struct sqlite3;

namespace vexa::ios {
struct ChatConversation;
}

namespace vexa::sim {

// Everything GetMessages hands out; the records point into it.
struct ConversationListBuffer {
    ConversationList list{};
    std::vector<ConversationRecord> conversations;
    std::vector<MessageRecord> messages;
    std::vector<MessageAttachmentRecord> attachments;
    TextArena text;
};

// A number of the address book with the name it belongs to, for conversations the device keeps
// without a name.
struct KnownNumber {
    std::string number;
    std::string name;
};
using KnownNumbers = std::function<std::vector<KnownNumber>()>;

// Conversations and their messages in the phone's message database (Library/SMS/sms.db), written the
// way the Messages app writes them: chats, handles, messages joined to their chat, attachments as files
// under Library/SMS/Attachments. The caller holds the database lock and, for several rows, a transaction.
class MessageStore {
public:
    static std::filesystem::path DatabasePath(const std::filesystem::path& deviceFolder);
    // Makes the folder and the tables when missing; the schema of a phone's, with the columns this
    // simulator fills and more.
    static bool EnsureTables(sqlite3* db);
    // Locks the device's message database, making its folder first when missing.
    static DatabaseSession Lock(SimDatabase& database);

    MessageStore(sqlite3* db, std::filesystem::path deviceFolder);
    ~MessageStore();

    // A one-to-one chat with `address`; `name`, when given, is the chat's display name.
    int AddConversation(const std::string& address, const std::optional<std::string>& name, int64_t* id);
    int AddGroupConversation(const std::string& name, const std::vector<std::string>& addresses, int64_t* id);

    struct Message {
        uint8_t direction = 0; // 0 received, any other value sent (stored as is_from_me)
        std::string dateTime;  // "yyyy-MM-dd hh:mm:ss" UTC; anything else is stored without a date
        std::string text;
        bool bodyOnly = false; // text only in attributedBody, as iOS 16 and later keep it
        std::string sender;    // in a group chat, who sent a received message
        std::vector<std::filesystem::path> attachments; // files copied in, each marked in the text
    };
    // Messages keep the order they were added in. `guid`, when given, receives the message's.
    int AddMessage(int64_t conversationId, const Message& message, std::string* guid = nullptr);
    int AddMessage(int64_t conversationId, bool sent, const std::string& date, const std::string& text);
    int AddMessageWithDirection(int64_t conversationId, uint8_t direction, const std::string& date,
                                const std::string& text);
    // A tapback (2000-2007, or 3000-3007 when taken back) on the message `targetGuid`.
    int AddReaction(int64_t conversationId, const std::string& targetGuid, int type, bool fromMe,
                    const std::string& date);
    // Removes every chat, message, handle and attachment.
    int Clear();

    // Lists the database through the phone's reader. A one-to-one conversation stored without a name
    // takes the name of the contact whose number matches its address, written alike or not; `known` is
    // asked only then, and after the database's lock is given back.
    static int List(SimDatabase& database, const KnownNumbers& known, ConversationListBuffer& out);
    // Conversations read elsewhere (a backup's sms.db), listed as List lists them.
    static void ListChats(const std::vector<ios::ChatConversation>& chats, const KnownNumbers& known,
                          ConversationListBuffer& out);
    // The file of an attachment the device keeps, from its record's path; empty for a path outside the
    // device's attachments folder.
    static std::filesystem::path AttachmentFile(const std::filesystem::path& deviceFolder,
                                                const std::string& path);

private:
    int HandleOf(const std::string& address, int64_t* id);
    std::string NextGuid();

    sqlite3* m_db;
    std::filesystem::path m_folder;
    int64_t m_nextMessage = 1;
    std::unordered_map<std::string, int64_t> m_handles;
    struct ChatInfo {
        int64_t handle; // a one-to-one chat's correspondent, 0 in a group
        std::string service;
    };
    std::unordered_map<int64_t, ChatInfo> m_chats;
    std::unique_ptr<Statement> m_insertMessage;
    std::unique_ptr<Statement> m_joinMessage;
};

} // namespace vexa::sim
