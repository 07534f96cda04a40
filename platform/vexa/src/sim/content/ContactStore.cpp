#include "ContactStore.h"

#include <charconv>
#include <cstring>
#include <unordered_map>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ColumnText.h"
#include "ContentIds.h"

namespace vexa::sim {

namespace {

void BindOptional(Statement& statement, int index, const std::optional<std::string>& text) {
    if (text)
        statement.Bind(index, std::string_view(*text));
    else
        statement.BindNull(index);
}

} // namespace

ContactStore::ContactStore(sqlite3* db)
    : m_db(db) {}

std::optional<int64_t> ContactStore::ParseId(const char* id) {
    if (!id || !*id)
        return std::nullopt;
    int64_t value = 0;
    const char* end = id + std::strlen(id);
    auto [stop, error] = std::from_chars(id, end, value);
    if (error != std::errc() || stop != end || value <= 0)
        return std::nullopt;
    return value;
}

int ContactStore::Insert(const ContactData& contact, int64_t* newId) {
    Statement insert(m_db, "INSERT INTO contacts(first_name, middle_name, last_name, nick_name, note, "
                           "picture1, picture2) VALUES (?,?,?,?,?,?,?)");
    BindOptional(insert, 1, contact.firstName);
    BindOptional(insert, 2, contact.middleName);
    BindOptional(insert, 3, contact.lastName);
    BindOptional(insert, 4, contact.nickName);
    BindOptional(insert, 5, contact.note);
    insert.Bind(6, contact.picture1).Bind(7, contact.picture2);
    if (int code = insert.Run())
        return code;
    const int64_t id = sqlite3_last_insert_rowid(m_db);
    if (int code = InsertEntries(id, contact))
        return code;
    if (newId)
        *newId = id;
    return VEXA_OK;
}

int ContactStore::InsertEntries(int64_t id, const ContactData& contact) {
    Statement insert(
        m_db, "INSERT INTO contact_entries(contact_id, kind, position, label, value) VALUES (?,?,?,?,?)");
    auto add = [&](int kind, const std::vector<std::pair<std::string, std::string>>& entries) {
        for (size_t i = 0; i < entries.size(); ++i) {
            insert.Reset();
            insert.Bind(1, id).Bind(2, kind).Bind(3, static_cast<int64_t>(i));
            insert.Bind(4, std::string_view(entries[i].first)).Bind(5, std::string_view(entries[i].second));
            if (int code = insert.Run())
                return code;
        }
        return static_cast<int>(VEXA_OK);
    };
    if (int code = add(kPhoneEntry, contact.phones))
        return code;
    return add(kEmailEntry, contact.emails);
}

bool ContactStore::Exists(int64_t id) {
    Statement find(m_db, "SELECT 1 FROM contacts WHERE id = ?");
    find.Bind(1, id);
    return find.Step() == SQLITE_ROW;
}

int ContactStore::Update(int64_t id, const ContactData& contact) {
    if (!Exists(id))
        return VEXA_E_NOT_FOUND;
    Statement update(m_db, "UPDATE contacts SET first_name = ?, middle_name = COALESCE(?, middle_name), "
                           "last_name = ?, nick_name = ?, note = ?, picture1 = ?, picture2 = ? WHERE id = ?");
    BindOptional(update, 1, contact.firstName);
    BindOptional(update, 2, contact.middleName);
    BindOptional(update, 3, contact.lastName);
    BindOptional(update, 4, contact.nickName);
    BindOptional(update, 5, contact.note);
    update.Bind(6, contact.picture1).Bind(7, contact.picture2).Bind(8, id);
    Statement clear(m_db, "DELETE FROM contact_entries WHERE contact_id = ?");
    clear.Bind(1, id);
    if (int code = update.Run())
        return code;
    if (int code = clear.Run())
        return code;
    return InsertEntries(id, contact);
}

int ContactStore::Delete(int64_t id) {
    if (!Exists(id))
        return VEXA_E_NOT_FOUND;
    for (const char* sql :
         {"DELETE FROM contact_entries WHERE contact_id = ?",
          "DELETE FROM group_members WHERE contact_id = ?", "DELETE FROM contacts WHERE id = ?"}) {
        Statement remove(m_db, sql);
        remove.Bind(1, id);
        if (int code = remove.Run())
            return code;
    }
    return VEXA_OK;
}

int64_t ContactStore::Count() {
    Statement count(m_db, "SELECT COUNT(*) FROM contacts");
    return count.Step() == SQLITE_ROW ? count.Int(0) : -1;
}

std::optional<int64_t> ContactStore::GroupId(const std::string& name, bool* builtin) {
    Statement find(m_db, "SELECT id, builtin FROM contact_groups WHERE name = ?");
    find.Bind(1, std::string_view(name));
    if (find.Step() != SQLITE_ROW)
        return std::nullopt;
    if (builtin)
        *builtin = find.Int(1) != 0;
    return find.Int(0);
}

int ContactStore::CreateGroup(const std::string& name) {
    if (name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    if (GroupId(name, nullptr))
        return VEXA_E_EXISTS;
    Statement insert(m_db, "INSERT INTO contact_groups(name) VALUES (?)");
    insert.Bind(1, std::string_view(name));
    return insert.Run();
}

int ContactStore::RenameGroup(const std::string& name, const std::string& newName) {
    if (name.empty() || newName.empty())
        return VEXA_E_INVALID_ARGUMENT;
    bool builtin = false;
    auto id = GroupId(name, &builtin);
    if (!id)
        return VEXA_E_NOT_FOUND;
    if (builtin)
        return VEXA_E_PROTECTED;
    if (newName == name)
        return VEXA_OK;
    if (GroupId(newName, nullptr))
        return VEXA_E_EXISTS;
    Statement update(m_db, "UPDATE contact_groups SET name = ? WHERE id = ?");
    update.Bind(1, std::string_view(newName)).Bind(2, *id);
    return update.Run();
}

int ContactStore::DeleteGroup(const std::string& name) {
    if (name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    bool builtin = false;
    auto id = GroupId(name, &builtin);
    if (!id)
        return VEXA_E_NOT_FOUND;
    if (builtin)
        return VEXA_E_PROTECTED;
    for (const char* sql :
         {"DELETE FROM group_members WHERE group_id = ?", "DELETE FROM contact_groups WHERE id = ?"}) {
        Statement remove(m_db, sql);
        remove.Bind(1, *id);
        if (int code = remove.Run())
            return code;
    }
    return VEXA_OK;
}

int ContactStore::SetContactGroups(int64_t contactId, const std::vector<std::string>& groupNames) {
    if (!Exists(contactId))
        return VEXA_E_NOT_FOUND;
    std::vector<int64_t> groupIds;
    for (const auto& name : groupNames) {
        auto id = GroupId(name, nullptr);
        if (!id)
            return VEXA_E_NOT_FOUND;
        groupIds.push_back(*id);
    }
    Statement clear(m_db, "DELETE FROM group_members WHERE contact_id = ?");
    clear.Bind(1, contactId);
    if (int code = clear.Run())
        return code;
    Statement insert(m_db, "INSERT OR IGNORE INTO group_members(group_id, contact_id) VALUES (?,?)");
    for (int64_t groupId : groupIds) {
        insert.Reset();
        insert.Bind(1, groupId).Bind(2, contactId);
        if (int code = insert.Run())
            return code;
    }
    return VEXA_OK;
}

int ContactStore::AddToGroup(int64_t contactId, const std::string& groupName) {
    auto groupId = GroupId(groupName, nullptr);
    if (!groupId)
        return VEXA_E_NOT_FOUND;
    Statement insert(m_db, "INSERT OR IGNORE INTO group_members(group_id, contact_id) VALUES (?,?)");
    insert.Bind(1, *groupId).Bind(2, contactId);
    return insert.Run();
}

int ContactStore::List(ContactListBuffer& out) {
    out.records.clear();
    out.entries.clear();
    out.groups.clear();
    out.memberIds.clear();
    out.text.Clear();
    out.list = {};
    if (int code = ListRecords(out))
        return code;
    if (int code = ListGroups(out))
        return code;
    out.list.recordCount = static_cast<int32_t>(out.records.size());
    out.list.records = out.records.empty() ? nullptr : out.records.data();
    out.list.groupCount = static_cast<int32_t>(out.groups.size());
    out.list.groups = out.groups.empty() ? nullptr : out.groups.data();
    return VEXA_OK;
}

int ContactStore::ListRecords(ContactListBuffer& out) {
    Statement contacts(m_db, "SELECT id, first_name, middle_name, last_name, nick_name, note, picture1, "
                             "picture2 FROM contacts ORDER BY id");
    Statement entries(m_db, "SELECT contact_id, kind, label, value FROM contact_entries "
                            "ORDER BY contact_id, kind, position");
    if (!contacts.Ok() || !entries.Ok())
        return contacts.Ok() ? entries.Result() : contacts.Result();

    // Contacts and their entries come in the same id order, so one merge pass pairs them up.
    std::vector<std::pair<size_t, size_t>> phoneSpans, emailSpans; // (first entry, count) per record
    std::vector<ContactEntry> phones, emails;
    bool haveEntry = entries.Step() == SQLITE_ROW;
    while (contacts.Step() == SQLITE_ROW) {
        const int64_t id = contacts.Int(0);
        ContactRecord record{};
        record.id = out.text.Add(std::to_string(id));
        record.firstName = KeepColumn(out.text, contacts, 1);
        record.middleName = KeepColumn(out.text, contacts, 2);
        record.lastName = KeepColumn(out.text, contacts, 3);
        record.nickName = KeepColumn(out.text, contacts, 4);
        record.note = KeepColumn(out.text, contacts, 5);
        record.pictureValue1 = static_cast<int32_t>(contacts.Int(6));
        record.pictureValue2 = static_cast<int32_t>(contacts.Int(7));
        while (haveEntry && entries.Int(0) < id)
            haveEntry = entries.Step() == SQLITE_ROW;
        std::pair<size_t, size_t> phoneSpan{phones.size(), 0}, emailSpan{emails.size(), 0};
        while (haveEntry && entries.Int(0) == id) {
            ContactEntry entry{0, KeepColumn(out.text, entries, 2), KeepColumn(out.text, entries, 3)};
            if (entries.Int(1) == kEmailEntry) {
                emails.push_back(entry);
                ++emailSpan.second;
            } else {
                phones.push_back(entry);
                ++phoneSpan.second;
            }
            haveEntry = entries.Step() == SQLITE_ROW;
        }
        record.phoneCount = static_cast<int32_t>(phoneSpan.second);
        record.secondCount = static_cast<int32_t>(emailSpan.second);
        out.records.push_back(record);
        phoneSpans.push_back(phoneSpan);
        emailSpans.push_back(emailSpan);
    }
    if (contacts.Result() != VEXA_OK || entries.Result() != VEXA_OK)
        return contacts.Result() != VEXA_OK ? contacts.Result() : entries.Result();

    // Both entry lists live in one array; pointers are set once it no longer moves.
    out.entries = std::move(phones);
    const size_t emailBase = out.entries.size();
    out.entries.insert(out.entries.end(), emails.begin(), emails.end());
    for (size_t i = 0; i < out.records.size(); ++i) {
        auto& record = out.records[i];
        record.phones = record.phoneCount ? out.entries.data() + phoneSpans[i].first : nullptr;
        record.secondList =
            record.secondCount ? out.entries.data() + emailBase + emailSpans[i].first : nullptr;
    }
    return VEXA_OK;
}

int ContactStore::ListGroups(ContactListBuffer& out) {
    Statement groups(m_db, "SELECT id, name FROM contact_groups ORDER BY builtin DESC, id");
    Statement members(m_db, "SELECT group_id, contact_id FROM group_members ORDER BY group_id, contact_id");
    if (!groups.Ok() || !members.Ok())
        return groups.Ok() ? members.Result() : groups.Result();
    std::unordered_map<int64_t, std::vector<const char*>> byGroup;
    while (members.Step() == SQLITE_ROW)
        byGroup[members.Int(0)].push_back(out.text.Add(std::to_string(members.Int(1))));
    if (members.Result() != VEXA_OK)
        return members.Result();

    std::vector<std::pair<size_t, size_t>> spans;
    while (groups.Step() == SQLITE_ROW) {
        auto& ids = byGroup[groups.Int(0)];
        spans.emplace_back(out.memberIds.size(), ids.size());
        out.memberIds.insert(out.memberIds.end(), ids.begin(), ids.end());
        ContactGroupRecord group{};
        group.memberCount = static_cast<int32_t>(ids.size());
        group.name = out.text.Add(groups.TextView(1));
        out.groups.push_back(group);
    }
    if (groups.Result() != VEXA_OK)
        return groups.Result();
    for (size_t i = 0; i < out.groups.size(); ++i)
        out.groups[i].memberIds = spans[i].second ? out.memberIds.data() + spans[i].first : nullptr;
    return VEXA_OK;
}

} // namespace vexa::sim
