#include "MessageDatabaseReader.h"

#include <set>
#include <string_view>
#include <unordered_map>

#include <sqlite3.h>

#include "AppleTime.h"
#include "AttributedBodyText.h"
#include "ReadResult.h"

namespace vexa::ios {

namespace {

constexpr int64_t kGroupChatStyle = 43;

using ColumnSet = std::set<std::string, std::less<>>;

// "<alias>.<name>" when the table has the column, else NULL: one query then serves every variant of the
// schema, and a missing optional column reads as empty.
std::string Column(const ColumnSet& columns, std::string_view alias, std::string_view name) {
    if (columns.count(name) == 0)
        return "NULL";
    return std::string(alias) + "." + std::string(name);
}

// What a failed statement means for the whole read: a schema that does not fit (a view without rows
// ids, a column of a kind SQLite cannot compare) or a damaged file are both "damaged"; a busy or
// unreadable file is an I/O error.
int FailureOf(const Query& query) {
    switch (query.Error() & 0xff) {
    case SQLITE_OK:
        return kReadOk;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_CANTOPEN:
        return kReadIoError;
    default:
        return kReadDamaged;
    }
}

class Reading {
public:
    Reading(const ReadOnlyDatabase& database, std::vector<ChatConversation>& out)
        : m_db(database)
        , m_out(out) {}

    int Run() {
        if (!m_db.HasTable("message") || !m_db.HasTable("chat") || !m_db.HasTable("chat_message_join"))
            return kReadDamaged;
        for (auto step : {&Reading::ReadHandles, &Reading::ReadChats, &Reading::ReadParticipants,
                          &Reading::ReadAttachments, &Reading::ReadMessages}) {
            if (int code = (this->*step)())
                return code;
        }
        return kReadOk;
    }

private:
    int ReadHandles() {
        if (!m_db.HasTable("handle"))
            return kReadOk;
        const ColumnSet columns = m_db.Columns("handle");
        Query query(m_db, "SELECT h.ROWID, " + Column(columns, "h", "id") + " FROM handle h");
        while (query.Next())
            m_handles.emplace(query.Int(0), query.Text(1));
        return FailureOf(query);
    }

    int ReadChats() {
        const ColumnSet columns = m_db.Columns("chat");
        Query query(m_db, "SELECT c.ROWID, " + Column(columns, "c", "chat_identifier") + ", " +
                              Column(columns, "c", "display_name") + ", " + Column(columns, "c", "style") +
                              " FROM chat c ORDER BY c.ROWID");
        while (query.Next()) {
            ChatConversation chat;
            chat.rowId = query.Int(0);
            chat.identifier = query.Text(1);
            chat.displayName = query.Text(2);
            chat.group = query.Int(3) == kGroupChatStyle;
            m_chatIndex.emplace(chat.rowId, m_out.size());
            m_out.push_back(std::move(chat));
        }
        return FailureOf(query);
    }

    int ReadParticipants() {
        if (!m_db.HasTable("chat_handle_join"))
            return kReadOk;
        Query query(m_db, "SELECT chat_id, handle_id FROM chat_handle_join ORDER BY rowid");
        while (query.Next()) {
            auto chat = m_chatIndex.find(query.Int(0));
            auto handle = m_handles.find(query.Int(1));
            if (chat != m_chatIndex.end() && handle != m_handles.end())
                m_out[chat->second].participants.push_back(handle->second);
        }
        if (int code = FailureOf(query))
            return code;
        for (ChatConversation& chat : m_out) {
            if (chat.identifier.empty() && !chat.participants.empty())
                chat.identifier = chat.participants.front();
        }
        return kReadOk;
    }

    int ReadAttachments() {
        if (!m_db.HasTable("attachment") || !m_db.HasTable("message_attachment_join"))
            return kReadOk;
        const ColumnSet columns = m_db.Columns("attachment");
        Query query(m_db,
                    "SELECT j.message_id, " + Column(columns, "a", "filename") + ", " +
                        Column(columns, "a", "mime_type") + ", " + Column(columns, "a", "transfer_name") +
                        ", " + Column(columns, "a", "total_bytes") + ", " + Column(columns, "a", "uti") +
                        " FROM message_attachment_join j JOIN attachment a ON a.ROWID = j.attachment_id "
                        "ORDER BY j.message_id, a.ROWID");
        while (query.Next()) {
            m_attachments[query.Int(0)].push_back(
                MessageAttachment{query.Text(1), query.Text(2), query.Text(3), query.Int(4), query.Text(5)});
        }
        return FailureOf(query);
    }

    int ReadMessages() {
        const ColumnSet c = m_db.Columns("message");
        const std::string sql = "SELECT j.chat_id, m.ROWID, " + Column(c, "m", "guid") + ", " +
                                Column(c, "m", "text") + ", " + Column(c, "m", "attributedBody") + ", " +
                                Column(c, "m", "handle_id") + ", " + Column(c, "m", "service") + ", " +
                                Column(c, "m", "date") + ", " + Column(c, "m", "is_from_me") + ", " +
                                Column(c, "m", "is_read") + ", " + Column(c, "m", "associated_message_type") +
                                ", " + Column(c, "m", "associated_message_guid") +
                                " FROM chat_message_join j JOIN message m ON m.ROWID = j.message_id "
                                "ORDER BY j.chat_id, m.ROWID";
        Query query(m_db, sql);
        while (query.Next()) {
            auto chat = m_chatIndex.find(query.Int(0));
            if (chat == m_chatIndex.end())
                continue; // a join row whose chat is gone
            ChatConversation& conversation = m_out[chat->second];
            const int64_t associatedType = query.Int(10);
            if (MessageDatabaseReader::IsReaction(associatedType)) {
                conversation.reactions.push_back({int(associatedType), query.Text(11), query.Int(8) != 0});
                continue;
            }
            conversation.messages.push_back(MessageOf(query));
        }
        return FailureOf(query);
    }

    ChatMessage MessageOf(const Query& row) {
        ChatMessage message;
        message.rowId = row.Int(1);
        message.guid = row.Text(2);
        std::string text = row.Text(3);
        if (text.empty() && !row.IsNull(4)) {
            const std::vector<uint8_t> body = row.Blob(4);
            message.textFromBody = AttributedBodyText(body.data(), body.size(), text);
        }
        message.text = WithoutAttachmentMarks(text);
        auto handle = m_handles.find(row.Int(5));
        if (handle != m_handles.end())
            message.sender = handle->second;
        message.service = row.Text(6);
        message.hasDate = !row.IsNull(7);
        message.unixTime = message.hasDate ? UnixFromMessageDate(row.Int(7)) : 0;
        message.fromMe = row.Int(8) != 0;
        message.read = row.Int(9) != 0;
        auto attachments = m_attachments.find(message.rowId);
        if (attachments != m_attachments.end())
            message.attachments = attachments->second;
        return message;
    }

    const ReadOnlyDatabase& m_db;
    std::vector<ChatConversation>& m_out;
    std::unordered_map<int64_t, std::string> m_handles;
    std::unordered_map<int64_t, size_t> m_chatIndex;
    std::unordered_map<int64_t, std::vector<MessageAttachment>> m_attachments;
};

} // namespace

std::string MessageDatabaseReader::AttachmentHomePath(const std::string& fileName) {
    std::string_view path = fileName;
    for (std::string_view home : {"~/", "/var/mobile/", "/private/var/mobile/"}) {
        if (path.substr(0, home.size()) == home) {
            path.remove_prefix(home.size());
            break;
        }
    }
    constexpr std::string_view kFolder = "Library/SMS/Attachments/";
    if (path.substr(0, kFolder.size()) != kFolder)
        return {};
    // Every part a plain name: none empty, none "." or "..".
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return {};
        start = end + 1;
    }
    return std::string(path);
}

int MessageDatabaseReader::Read(const std::filesystem::path& file,
                                std::vector<ChatConversation>& conversations, ReadOnlyDatabase::Mode mode) {
    conversations.clear();
    ReadOnlyDatabase database;
    if (int code = database.Open(file, mode))
        return code;
    const int code = Reading(database, conversations).Run();
    if (code != kReadOk)
        conversations.clear();
    return code;
}

} // namespace vexa::ios
