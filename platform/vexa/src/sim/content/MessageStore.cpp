#include "MessageStore.h"

#include <cctype>
#include <cstdio>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "AttributedBodyArchive.h"
#include "DeviceFiles.h"
#include "PhoneNumbers.h"
#include "ReadResultCode.h"
#include "ios/AppleTime.h"
#include "ios/MessageDatabaseReader.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

// The tables of a phone's sms.db with the columns the Messages app fills for plain messages; the
// phone has more, which stay empty here.
constexpr const char* kTables = R"sql(
CREATE TABLE IF NOT EXISTS _SqliteDatabaseProperties(key TEXT, value TEXT, UNIQUE(key));
CREATE TABLE IF NOT EXISTS handle(
    ROWID INTEGER PRIMARY KEY, id TEXT NOT NULL, country TEXT, service TEXT NOT NULL,
    uncanonicalized_id TEXT, person_centric_id TEXT, UNIQUE(id, service));
CREATE TABLE IF NOT EXISTS chat(
    ROWID INTEGER PRIMARY KEY, guid TEXT UNIQUE NOT NULL, style INTEGER, state INTEGER,
    account_id TEXT, properties BLOB, chat_identifier TEXT, service_name TEXT, room_name TEXT,
    account_login TEXT, is_archived INTEGER DEFAULT 0, last_addressed_handle TEXT, display_name TEXT,
    group_id TEXT, is_filtered INTEGER DEFAULT 0, successful_query INTEGER);
CREATE TABLE IF NOT EXISTS message(
    ROWID INTEGER PRIMARY KEY, guid TEXT UNIQUE NOT NULL, text TEXT, replace INTEGER DEFAULT 0,
    service_center TEXT, handle_id INTEGER DEFAULT 0, subject TEXT, country TEXT, attributedBody BLOB,
    version INTEGER DEFAULT 0, type INTEGER DEFAULT 0, service TEXT, account TEXT, account_guid TEXT,
    error INTEGER DEFAULT 0, date INTEGER, date_read INTEGER, date_delivered INTEGER,
    is_delivered INTEGER DEFAULT 0, is_finished INTEGER DEFAULT 0, is_emote INTEGER DEFAULT 0,
    is_from_me INTEGER DEFAULT 0, is_empty INTEGER DEFAULT 0, is_read INTEGER DEFAULT 0,
    is_sent INTEGER DEFAULT 0, is_system_message INTEGER DEFAULT 0, cache_has_attachments INTEGER DEFAULT 0,
    item_type INTEGER DEFAULT 0, other_handle INTEGER DEFAULT 0, group_title TEXT,
    group_action_type INTEGER DEFAULT 0, associated_message_guid TEXT,
    associated_message_type INTEGER DEFAULT 0, balloon_bundle_id TEXT, payload_data BLOB,
    expressive_send_style_id TEXT, thread_originator_guid TEXT, destination_caller_id TEXT);
CREATE TABLE IF NOT EXISTS chat_message_join(
    chat_id INTEGER REFERENCES chat(ROWID) ON DELETE CASCADE,
    message_id INTEGER REFERENCES message(ROWID) ON DELETE CASCADE,
    message_date INTEGER DEFAULT 0, PRIMARY KEY(chat_id, message_id));
CREATE INDEX IF NOT EXISTS chat_message_join_idx_message_id_only ON chat_message_join(message_id);
CREATE INDEX IF NOT EXISTS chat_idx_chat_identifier ON chat(chat_identifier);
CREATE TABLE IF NOT EXISTS chat_handle_join(
    chat_id INTEGER REFERENCES chat(ROWID) ON DELETE CASCADE,
    handle_id INTEGER REFERENCES handle(ROWID) ON DELETE CASCADE, UNIQUE(chat_id, handle_id));
CREATE TABLE IF NOT EXISTS attachment(
    ROWID INTEGER PRIMARY KEY, guid TEXT UNIQUE NOT NULL, created_date INTEGER DEFAULT 0,
    start_date INTEGER DEFAULT 0, filename TEXT, uti TEXT, mime_type TEXT, transfer_state INTEGER DEFAULT 0,
    is_outgoing INTEGER DEFAULT 0, user_info BLOB, transfer_name TEXT, total_bytes INTEGER DEFAULT 0,
    is_sticker INTEGER DEFAULT 0, hide_attachment INTEGER DEFAULT 0);
CREATE TABLE IF NOT EXISTS message_attachment_join(
    message_id INTEGER REFERENCES message(ROWID) ON DELETE CASCADE,
    attachment_id INTEGER REFERENCES attachment(ROWID) ON DELETE CASCADE, UNIQUE(message_id, attachment_id));
CREATE INDEX IF NOT EXISTS message_attachment_join_idx_message_id ON message_attachment_join(message_id);
)sql";

constexpr int64_t kGroupStyle = 43;
constexpr int64_t kOneToOneStyle = 45;
constexpr std::string_view kAttachmentMark = "\xEF\xBF\xBC"; // U+FFFC

// "yyyy-MM-dd hh:mm:ss" (UTC) in Unix seconds; nothing for any other text.
std::optional<int64_t> UnixFromDateText(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    auto number = [&text](size_t at, size_t width, int64_t& value) {
        value = 0;
        for (size_t i = at; i < at + width; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int64_t year, month, day, hour, minute, second;
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day) || !number(11, 2, hour) ||
        !number(14, 2, minute) || !number(17, 2, second) || month < 1 || month > 12 || day < 1 || day > 31 ||
        hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return ios::DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::string DateTextFromUnix(int64_t unix) {
    const int64_t days = unix >= 0 ? unix / 86400 : (unix - 86399) / 86400;
    const int64_t seconds = unix - days * 86400;
    int64_t year, month, day;
    ios::CivilFromDays(days, year, month, day);
    char text[96];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", (long long)year,
                  (long long)month, (long long)day, (long long)(seconds / 3600),
                  (long long)(seconds / 60 % 60), (long long)(seconds % 60));
    return text;
}

// A GUID of the form the phone uses, the same for the same number in every run. The number leads, so
// that GUIDs made one after another sort in that order and the unique index on them grows at its end.
std::string GuidOf(uint64_t number) {
    auto mix = [](uint64_t x) {
        x += 0x9E3779B97F4A7C15ULL;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    };
    const uint64_t high = mix(number);
    const uint64_t low = mix(high);
    char text[48];
    std::snprintf(text, sizeof text, "%08llX-%04llX-%04llX-%04llX-%012llX",
                  (unsigned long long)(number & 0xFFFFFFFF), (unsigned long long)((number >> 32) & 0xFFFF),
                  (unsigned long long)(high >> 48), (unsigned long long)((high >> 32) & 0xFFFF),
                  (unsigned long long)(low & 0xFFFFFFFFFFFFULL));
    return text;
}

std::string ServiceOf(const std::string& address) {
    return address.find('@') != std::string::npos ? "iMessage" : "SMS";
}

const char* MimeTypeOf(const fs::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".jpg" || extension == ".jpeg")
        return "image/jpeg";
    if (extension == ".heic")
        return "image/heic";
    if (extension == ".png")
        return "image/png";
    if (extension == ".mov")
        return "video/quicktime";
    if (extension == ".pdf")
        return "application/pdf";
    return "application/octet-stream";
}

// The type identifier the phone records beside the MIME type.
const char* UtiOf(const fs::path& file) {
    const std::string_view mime = MimeTypeOf(file);
    if (mime == "image/jpeg")
        return "public.jpeg";
    if (mime == "image/heic")
        return "public.heic";
    if (mime == "image/png")
        return "public.png";
    if (mime == "video/quicktime")
        return "com.apple.quicktime-movie";
    if (mime == "application/pdf")
        return "com.adobe.pdf";
    return "public.data";
}

MessageAttachmentRecord AttachmentRecordOf(const ios::MessageAttachment& file, TextArena& text) {
    MessageAttachmentRecord record{};
    std::string name = file.transferName;
    if (name.empty()) {
        const size_t slash = file.fileName.rfind('/');
        name = slash == std::string::npos ? file.fileName : file.fileName.substr(slash + 1);
    }
    record.fileName = text.Add(name);
    record.mimeType = text.Add(file.mimeType);
    record.uti = text.Add(file.uti);
    record.size = file.totalBytes;
    record.path = text.Add(file.fileName);
    return record;
}

} // namespace

fs::path MessageStore::DatabasePath(const fs::path& deviceFolder) {
    return deviceFolder / "Library" / "SMS" / "sms.db";
}

bool MessageStore::EnsureTables(sqlite3* db) {
    return db && sqlite3_exec(db, kTables, nullptr, nullptr, nullptr) == SQLITE_OK;
}

DatabaseSession MessageStore::Lock(SimDatabase& database) {
    std::error_code error;
    fs::create_directories(database.File().parent_path(), error);
    return database.Lock();
}

MessageStore::MessageStore(sqlite3* db, fs::path deviceFolder)
    : m_db(db)
    , m_folder(std::move(deviceFolder)) {
    Statement last(m_db, "SELECT coalesce(max(ROWID), 0) + 1 FROM message");
    if (last.Step() == SQLITE_ROW)
        m_nextMessage = last.Int(0);
}

MessageStore::~MessageStore() = default;

std::string MessageStore::NextGuid() {
    return GuidOf(uint64_t(m_nextMessage));
}

int MessageStore::HandleOf(const std::string& address, int64_t* id) {
    if (auto known = m_handles.find(address); known != m_handles.end()) {
        *id = known->second;
        return VEXA_OK;
    }
    const std::string service = ServiceOf(address);
    Statement find(m_db, "SELECT ROWID FROM handle WHERE id = ? AND service = ?");
    find.Bind(1, std::string_view(address)).Bind(2, std::string_view(service));
    if (find.Step() == SQLITE_ROW) {
        *id = find.Int(0);
    } else {
        Statement insert(m_db, "INSERT INTO handle(id, service, uncanonicalized_id) VALUES (?,?,?)");
        insert.Bind(1, std::string_view(address)).Bind(2, std::string_view(service));
        insert.Bind(3, std::string_view(address));
        if (int code = insert.Run())
            return code;
        *id = sqlite3_last_insert_rowid(m_db);
    }
    m_handles.emplace(address, *id);
    return VEXA_OK;
}

int MessageStore::AddConversation(const std::string& address, const std::optional<std::string>& name,
                                  int64_t* id) {
    int64_t handle = 0;
    if (int code = HandleOf(address, &handle))
        return code;
    const std::string service = ServiceOf(address);
    // The phone keeps one chat per correspondent; a second one with the same address gets a guid of its own.
    std::string guid = service + ";-;" + address;
    Statement taken(m_db, "SELECT count(*) FROM chat WHERE chat_identifier = ?");
    taken.Bind(1, std::string_view(address));
    if (taken.Step() == SQLITE_ROW && taken.Int(0) > 0)
        guid += "/" + std::to_string(taken.Int(0));
    Statement insert(m_db,
                     "INSERT INTO chat(guid, style, state, chat_identifier, service_name, display_name) "
                     "VALUES (?,?,3,?,?,?)");
    insert.Bind(1, std::string_view(guid)).Bind(2, kOneToOneStyle).Bind(3, std::string_view(address));
    insert.Bind(4, std::string_view(service)).Bind(5, name ? std::string_view(*name) : std::string_view());
    if (int code = insert.Run())
        return code;
    const int64_t chat = sqlite3_last_insert_rowid(m_db);
    if (int code = Statement(m_db, "INSERT INTO chat_handle_join(chat_id, handle_id) VALUES (?,?)")
                       .Bind(1, chat)
                       .Bind(2, handle)
                       .Run())
        return code;
    m_chats[chat] = ChatInfo{handle, service};
    if (id)
        *id = chat;
    return VEXA_OK;
}

int MessageStore::AddGroupConversation(const std::string& name, const std::vector<std::string>& addresses,
                                       int64_t* id) {
    Statement next(m_db, "SELECT coalesce(max(ROWID), 0) + 1 FROM chat");
    const int64_t number = next.Step() == SQLITE_ROW ? next.Int(0) : 1;
    const std::string identifier = "chat" + std::to_string(100000000000LL + number * 7919);
    Statement insert(m_db,
                     "INSERT INTO chat(guid, style, state, chat_identifier, service_name, display_name, "
                     "room_name) VALUES (?,?,3,?,'iMessage',?,?)");
    insert.Bind(1, "iMessage;+;" + identifier).Bind(2, kGroupStyle).Bind(3, std::string_view(identifier));
    insert.Bind(4, std::string_view(name)).Bind(5, std::string_view(identifier));
    if (int code = insert.Run())
        return code;
    const int64_t chat = sqlite3_last_insert_rowid(m_db);
    for (const std::string& address : addresses) {
        int64_t handle = 0;
        if (int code = HandleOf(address, &handle))
            return code;
        if (int code =
                Statement(m_db, "INSERT OR IGNORE INTO chat_handle_join(chat_id, handle_id) VALUES (?,?)")
                    .Bind(1, chat)
                    .Bind(2, handle)
                    .Run())
            return code;
    }
    m_chats[chat] = ChatInfo{0, "iMessage"}; // a group's own messages name no handle
    if (id)
        *id = chat;
    return VEXA_OK;
}

int MessageStore::AddMessage(int64_t conversationId, const Message& message, std::string* guidOut) {
    auto chat = m_chats.find(conversationId);
    if (chat == m_chats.end()) {
        Statement find(m_db,
                       "SELECT c.style, (SELECT handle_id FROM chat_handle_join j WHERE j.chat_id = c.ROWID "
                       "ORDER BY rowid LIMIT 1), c.service_name FROM chat c WHERE c.ROWID = ?");
        find.Bind(1, conversationId);
        if (find.Step() != SQLITE_ROW)
            return find.Result() != VEXA_OK ? find.Result() : int(VEXA_E_NOT_FOUND);
        const bool group = find.Int(0) == kGroupStyle;
        chat = m_chats.emplace(conversationId, ChatInfo{group ? 0 : find.Int(1), find.Text(2)}).first;
    }
    int64_t handle = chat->second.handle;
    const bool sent = message.direction != 0;
    if (handle == 0 && !sent && !message.sender.empty()) {
        if (int code = HandleOf(message.sender, &handle))
            return code;
    }
    std::string text;
    for (size_t i = 0; i < message.attachments.size(); ++i)
        text += kAttachmentMark;
    text += message.text;

    const int64_t rowId = m_nextMessage;
    const std::string guid = NextGuid();
    if (!m_insertMessage) {
        m_insertMessage = std::make_unique<Statement>(
            m_db,
            "INSERT INTO message(ROWID, guid, text, attributedBody, handle_id, service, date, date_read, "
            "date_delivered, is_delivered, is_finished, is_from_me, is_read, is_sent, cache_has_attachments) "
            "VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?7,1,1,?9,?10,?9,?11)");
        m_joinMessage = std::make_unique<Statement>(
            m_db, "INSERT INTO chat_message_join(chat_id, message_id, message_date) VALUES (?,?,?)");
    }
    const std::optional<int64_t> unix = UnixFromDateText(message.dateTime);
    const int64_t date = unix ? ios::MessageDateFromUnix(*unix) : 0;
    Statement& insert = *m_insertMessage;
    insert.Reset();
    insert.Bind(1, rowId).Bind(2, std::string_view(guid));
    std::string body;
    if (message.bodyOnly) {
        body = ArchiveAttributedBody(text);
        insert.BindNull(3).BindBlob(4, body.data(), int(body.size()));
    } else {
        insert.Bind(3, std::string_view(text)).BindNull(4);
    }
    insert.Bind(5, handle).Bind(6, std::string_view(chat->second.service));
    if (unix)
        insert.Bind(7, date).Bind(8, sent ? int64_t(0) : date);
    else
        insert.BindNull(7).BindNull(8);
    insert.Bind(9, int64_t(sent)).Bind(10, int64_t(1)).Bind(11, int64_t(!message.attachments.empty()));
    if (int code = insert.Run())
        return code;
    m_joinMessage->Reset();
    if (int code = m_joinMessage->Bind(1, conversationId).Bind(2, rowId).Bind(3, date).Run())
        return code;
    ++m_nextMessage;

    for (size_t i = 0; i < message.attachments.size(); ++i) {
        const fs::path& source = message.attachments[i];
        const std::string attachmentGuid = GuidOf(uint64_t(rowId) << 8 | i);
        // Attachments/<two hex digits>/<two decimal digits>/<GUID>/<name>, as the phone spreads them.
        char spread[16];
        std::snprintf(spread, sizeof spread, "%02llx/%02lld", (unsigned long long)(rowId * 37 % 256),
                      (long long)(i + rowId % 16));
        const std::string relative = "Library/SMS/Attachments/" + std::string(spread) + "/" + attachmentGuid +
                                     "/" + source.filename().string();
        if (int code = DeviceFiles::LinkOrCopy(source, m_folder / relative))
            return code;
        Statement attachment(m_db,
                             "INSERT INTO attachment(guid, created_date, start_date, filename, mime_type, "
                             "transfer_state, is_outgoing, transfer_name, total_bytes, uti) "
                             "VALUES (?,?,?,?,?,5,?,?,?,?)");
        attachment.Bind(1, std::string_view(attachmentGuid))
            .Bind(2, date / 1000000000)
            .Bind(3, date / 1000000000);
        attachment.Bind(4, "~/" + relative).Bind(5, MimeTypeOf(source)).Bind(6, int64_t(sent));
        attachment.Bind(7, source.filename().string())
            .Bind(8, int64_t(DeviceFiles::Size(m_folder / relative)))
            .Bind(9, UtiOf(source));
        if (int code = attachment.Run())
            return code;
        if (int code =
                Statement(m_db, "INSERT INTO message_attachment_join(message_id, attachment_id) VALUES (?,?)")
                    .Bind(1, rowId)
                    .Bind(2, sqlite3_last_insert_rowid(m_db))
                    .Run())
            return code;
    }
    if (guidOut)
        *guidOut = guid;
    return VEXA_OK;
}

int MessageStore::AddMessage(int64_t conversationId, bool sent, const std::string& date,
                             const std::string& text) {
    return AddMessageWithDirection(conversationId, sent ? 1 : 0, date, text);
}

int MessageStore::AddMessageWithDirection(int64_t conversationId, uint8_t direction, const std::string& date,
                                          const std::string& text) {
    Message message;
    message.direction = direction;
    message.dateTime = date;
    message.text = text;
    return AddMessage(conversationId, message);
}

int MessageStore::AddReaction(int64_t conversationId, const std::string& targetGuid, int type, bool fromMe,
                              const std::string& date) {
    // Stored as a message row of its own, with the phone's summary text, joined to the chat.
    Message row;
    row.direction = fromMe ? 1 : 0;
    row.dateTime = date;
    row.text = "Reacted to a message";
    const int64_t rowId = m_nextMessage;
    if (int code = AddMessage(conversationId, row))
        return code;
    return Statement(m_db, "UPDATE message SET associated_message_type = ?, associated_message_guid = ? "
                           "WHERE ROWID = ?")
        .Bind(1, int64_t(type))
        .Bind(2, "p:0/" + targetGuid)
        .Bind(3, rowId)
        .Run();
}

int MessageStore::Clear() {
    for (const char* table : {"message_attachment_join", "chat_message_join", "chat_handle_join",
                              "attachment", "message", "chat", "handle"}) {
        if (int code = Statement(m_db, std::string("DELETE FROM ") + table).Run())
            return code;
    }
    m_handles.clear();
    m_chats.clear();
    m_nextMessage = 1;
    DeviceFiles::Remove(m_folder / "Library" / "SMS" / "Attachments");
    return VEXA_OK;
}

int MessageStore::List(SimDatabase& database, const KnownNumbers& known, ConversationListBuffer& out) {
    out.conversations.clear();
    out.messages.clear();
    out.text.Clear();
    out.list = {};

    std::vector<ios::ChatConversation> chats;
    {
        auto session = Lock(database);
        if (session.Result())
            return session.Result();
        if (!EnsureTables(session.Handle()))
            return VEXA_E_DATABASE;
        // The simulator's own file, held locked meanwhile: read where it is.
        const int read =
            ios::MessageDatabaseReader().Read(database.File(), chats, ios::ReadOnlyDatabase::Mode::InPlace);
        if (read != ios::kReadOk)
            return VexaResultOf(read);
    }
    ListChats(chats, known, out);
    return VEXA_OK;
}

std::filesystem::path MessageStore::AttachmentFile(const std::filesystem::path& deviceFolder,
                                                   const std::string& path) {
    const std::string relative = ios::MessageDatabaseReader::AttachmentHomePath(path);
    return relative.empty() ? fs::path() : deviceFolder / fs::u8path(relative);
}

void MessageStore::ListChats(const std::vector<ios::ChatConversation>& chats, const KnownNumbers& known,
                             ConversationListBuffer& out) {
    out.conversations.clear();
    out.messages.clear();
    out.attachments.clear();
    out.text.Clear();
    out.list = {};
    size_t total = 0;
    size_t files = 0;
    for (const auto& chat : chats) {
        total += chat.messages.size();
        for (const auto& message : chat.messages)
            files += message.attachments.size();
    }
    out.messages.reserve(total);
    // Reserved whole: the messages point into it.
    out.attachments.reserve(files);
    out.conversations.reserve(chats.size());
    std::vector<KnownNumber> numbers;
    bool numbersRead = false;
    for (const auto& chat : chats) {
        ConversationRecord record{};
        std::string address = chat.identifier;
        if (chat.group && !chat.participants.empty()) {
            address.clear();
            for (const std::string& participant : chat.participants)
                address += (address.empty() ? "" : ", ") + participant;
        }
        record.address = out.text.Add(address);
        if (!chat.displayName.empty()) {
            record.name = out.text.Add(chat.displayName);
        } else if (!chat.group) {
            if (!numbersRead && known) {
                numbers = known();
                numbersRead = true;
            }
            for (const KnownNumber& entry : numbers) {
                if (PhoneNumbersMatch(chat.identifier, entry.number)) {
                    record.name = out.text.Add(entry.name);
                    break;
                }
            }
        }
        for (const auto& message : chat.messages) {
            MessageRecord item{};
            item.direction = message.fromMe ? 1 : 0;
            item.dateTime =
                out.text.Add(message.hasDate ? DateTextFromUnix(message.unixTime) : std::string());
            item.text = out.text.Add(message.text);
            if (!message.attachments.empty()) {
                item.attachmentCount = static_cast<int32_t>(message.attachments.size());
                item.attachments = out.attachments.data() + out.attachments.size();
                for (const auto& file : message.attachments)
                    out.attachments.push_back(AttachmentRecordOf(file, out.text));
            }
            out.messages.push_back(item);
        }
        record.messageCount = static_cast<int32_t>(chat.messages.size());
        out.conversations.push_back(record);
    }
    size_t start = 0;
    for (auto& record : out.conversations) {
        record.messages = record.messageCount ? out.messages.data() + start : nullptr;
        start += static_cast<size_t>(record.messageCount);
    }
    out.list.count = static_cast<int32_t>(out.conversations.size());
    out.list.conversations = out.conversations.empty() ? nullptr : out.conversations.data();
}

} // namespace vexa::sim
