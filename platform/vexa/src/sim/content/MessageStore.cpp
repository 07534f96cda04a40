#include "MessageStore.h"

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ColumnText.h"

namespace vexa::sim {

MessageStore::MessageStore(sqlite3* db)
    : m_db(db) {}

int MessageStore::AddConversation(const std::string& address, const std::optional<std::string>& name,
                                  int64_t* id) {
    Statement insert(m_db, "INSERT INTO conversations(address, name) VALUES (?,?)");
    insert.Bind(1, std::string_view(address));
    if (name)
        insert.Bind(2, std::string_view(*name));
    else
        insert.BindNull(2);
    if (int code = insert.Run())
        return code;
    if (id)
        *id = sqlite3_last_insert_rowid(m_db);
    return VEXA_OK;
}

int MessageStore::AddMessage(int64_t conversationId, bool sent, const std::string& date,
                             const std::string& text) {
    Statement insert(m_db, "INSERT INTO messages(conversation_id, sent, date, text) VALUES (?,?,?,?)");
    insert.Bind(1, conversationId).Bind(2, sent ? 1 : 0);
    insert.Bind(3, std::string_view(date)).Bind(4, std::string_view(text));
    return insert.Run();
}

int MessageStore::List(ConversationListBuffer& out) {
    out.conversations.clear();
    out.messages.clear();
    out.text.Clear();
    out.list = {};

    Statement conversations(m_db, "SELECT id, address, name FROM conversations ORDER BY id");
    Statement messages(m_db, "SELECT conversation_id, sent, date, text FROM messages "
                             "ORDER BY conversation_id, id");
    if (!conversations.Ok() || !messages.Ok())
        return conversations.Ok() ? messages.Result() : conversations.Result();

    // One merge pass over both tables, both in conversation order; message arrays are fixed up once the
    // message vector has stopped growing.
    std::vector<size_t> firstMessage;
    bool haveMessage = messages.Step() == SQLITE_ROW;
    while (conversations.Step() == SQLITE_ROW) {
        const int64_t id = conversations.Int(0);
        ConversationRecord record{};
        record.address = out.text.Add(conversations.Text(1));
        record.name = KeepColumn(out.text, conversations, 2);
        while (haveMessage && messages.Int(0) < id)
            haveMessage = messages.Step() == SQLITE_ROW;
        firstMessage.push_back(out.messages.size());
        while (haveMessage && messages.Int(0) == id) {
            MessageRecord message{};
            message.direction = messages.Int(1) ? 1 : 0;
            message.dateTime = out.text.Add(messages.Text(2));
            message.text = out.text.Add(messages.Text(3));
            out.messages.push_back(message);
            ++record.messageCount;
            haveMessage = messages.Step() == SQLITE_ROW;
        }
        out.conversations.push_back(record);
    }
    if (conversations.Result() != VEXA_OK)
        return conversations.Result();
    if (messages.Result() != VEXA_OK)
        return messages.Result();

    for (size_t i = 0; i < out.conversations.size(); ++i) {
        auto& record = out.conversations[i];
        record.messages = record.messageCount ? out.messages.data() + firstMessage[i] : nullptr;
    }
    out.list.count = static_cast<int32_t>(out.conversations.size());
    out.list.conversations = out.conversations.empty() ? nullptr : out.conversations.data();
    return VEXA_OK;
}

} // namespace vexa::sim
