#include "MessageStore.h"

#include <algorithm>
#include <unordered_map>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ColumnText.h"
#include "ContentIds.h"
#include "PhoneNumbers.h"
#include "ios/AddressBookReader.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

namespace {

struct KnownNumber {
    std::string number;
    std::string name;
};

// The address book's numbers with the name each belongs to, as the conversation list shows it.
std::vector<KnownNumber> AddressBookNumbers(const std::filesystem::path& file) {
    std::vector<KnownNumber> numbers;
    ios::AddressBook book;
    // An address book that links out of the device is not read, as the contacts service does not open it.
    std::error_code error;
    if (file.empty() || std::filesystem::is_symlink(file, error) ||
        ios::AddressBookReader::Read(file, book, ios::ReadOnlyDatabase::Mode::InPlace) != ios::kReadOk)
        return numbers;
    for (const ios::AddressBookPerson& person : book.people) {
        std::string name;
        for (const auto* part : {&person.firstName, &person.middleName, &person.lastName}) {
            if (*part && !(*part)->empty())
                name += (name.empty() ? "" : " ") + **part;
        }
        if (name.empty() && person.nickName)
            name = *person.nickName;
        if (name.empty())
            continue;
        for (const ios::AddressBookValue& phone : person.phones)
            numbers.push_back({phone.value, name});
    }
    return numbers;
}

} // namespace

MessageStore::MessageStore(sqlite3* db, std::filesystem::path addressBook)
    : m_db(db)
    , m_addressBook(std::move(addressBook)) {}

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
    return AddMessageWithDirection(conversationId, sent ? 1 : 0, date, text);
}

int MessageStore::AddMessageWithDirection(int64_t conversationId, uint8_t direction, const std::string& date,
                                          const std::string& text) {
    Statement insert(m_db, "INSERT INTO messages(conversation_id, sent, date, text) VALUES (?,?,?,?)");
    insert.Bind(1, conversationId).Bind(2, int64_t(direction));
    insert.Bind(3, std::string_view(date)).Bind(4, std::string_view(text));
    return insert.Run();
}

int MessageStore::Clear() {
    if (int code = Statement(m_db, "DELETE FROM messages").Run())
        return code;
    return Statement(m_db, "DELETE FROM conversations").Run();
}

void MessageStore::NameFromAddressBook(ConversationListBuffer& out) {
    std::vector<KnownNumber> known;
    bool read = false;
    for (ConversationRecord& record : out.conversations) {
        if (record.name != nullptr)
            continue;
        if (!read) {
            known = AddressBookNumbers(m_addressBook);
            read = true;
        }
        for (const KnownNumber& entry : known) {
            if (PhoneNumbersMatch(record.address, entry.number)) {
                record.name = out.text.Add(entry.name);
                break;
            }
        }
    }
}

int MessageStore::List(ConversationListBuffer& out) {
    out.conversations.clear();
    out.messages.clear();
    out.text.Clear();
    out.list = {};

    Statement conversations(m_db, "SELECT id, address, name FROM conversations ORDER BY id");
    std::unordered_map<int64_t, size_t> indexOf;
    while (conversations.Step() == SQLITE_ROW) {
        ConversationRecord record{};
        record.address = out.text.Add(conversations.TextView(1));
        record.name = KeepColumn(out.text, conversations, 2);
        indexOf.emplace(conversations.Int(0), out.conversations.size());
        out.conversations.push_back(record);
    }
    if (conversations.Result() != VEXA_OK)
        return conversations.Result();
    NameFromAddressBook(out);

    // Messages are read in storage order, which is fast, and then grouped by conversation with a
    // counting sort that keeps each conversation's messages in the order they were added.
    Statement messages(m_db, "SELECT conversation_id, sent, date, text FROM messages ORDER BY id");
    std::vector<MessageRecord> read;
    std::vector<uint32_t> owner;
    while (messages.Step() == SQLITE_ROW) {
        auto found = indexOf.find(messages.Int(0));
        if (found == indexOf.end())
            continue; // a message whose conversation is gone is not shown
        MessageRecord message{};
        // The byte as stored; a value that does not fit a byte still reads as sent.
        const int64_t direction = messages.Int(1);
        message.direction = direction == 0 ? 0 : ((direction & 0xFF) ? uint8_t(direction & 0xFF) : 1);
        message.dateTime = out.text.Add(messages.TextView(2));
        message.text = out.text.Add(messages.TextView(3));
        read.push_back(message);
        owner.push_back(static_cast<uint32_t>(found->second));
        ++out.conversations[found->second].messageCount;
    }
    if (messages.Result() != VEXA_OK)
        return messages.Result();

    std::vector<size_t> next(out.conversations.size());
    size_t first = 0;
    for (size_t c = 0; c < out.conversations.size(); ++c) {
        next[c] = first;
        first += static_cast<size_t>(out.conversations[c].messageCount);
    }
    out.messages.resize(read.size());
    for (size_t m = 0; m < read.size(); ++m)
        out.messages[next[owner[m]]++] = read[m];
    size_t start = 0;
    for (auto& record : out.conversations) {
        record.messages = record.messageCount ? out.messages.data() + start : nullptr;
        start += static_cast<size_t>(record.messageCount);
    }
    out.list.count = static_cast<int32_t>(out.conversations.size());
    out.list.conversations = out.conversations.empty() ? nullptr : out.conversations.data();
    return VEXA_OK;
}

} // namespace vexa::sim
