#include "ContactStore.h"

#include <array>
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

void BindNonEmpty(Statement& statement, int index, const std::string& text) {
    if (text.empty())
        statement.BindNull(index);
    else
        statement.Bind(index, std::string_view(text));
}

// The columns after the picture values, bound from `first` on, in the order Insert and Update name them.
void BindWorkAndBirthday(Statement& statement, int first, const ContactData& contact) {
    BindOptional(statement, first, contact.organization);
    BindOptional(statement, first + 1, contact.department);
    BindOptional(statement, first + 2, contact.jobTitle);
    BindOptional(statement, first + 3, contact.birthday);
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
                           "picture1, picture2, organization, department, job_title, birthday) "
                           "VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    BindOptional(insert, 1, contact.firstName);
    BindOptional(insert, 2, contact.middleName);
    BindOptional(insert, 3, contact.lastName);
    BindOptional(insert, 4, contact.nickName);
    BindOptional(insert, 5, contact.note);
    insert.Bind(6, contact.picture1).Bind(7, contact.picture2);
    BindWorkAndBirthday(insert, 8, contact);
    if (int code = insert.Run())
        return code;
    const int64_t id = sqlite3_last_insert_rowid(m_db);
    if (int code = InsertEntries(id, contact))
        return code;
    if (int code = InsertAddresses(id, contact))
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
    if (int code = add(kEmailEntry, contact.emails))
        return code;
    return add(kUrlEntry, contact.urls);
}

int ContactStore::InsertAddresses(int64_t id, const ContactData& contact) {
    Statement insert(m_db, "INSERT INTO contact_addresses(contact_id, position, label, street, city, region, "
                           "postal_code, country) VALUES (?,?,?,?,?,?,?,?)");
    for (size_t i = 0; i < contact.addresses.size(); ++i) {
        const ContactAddressData& address = contact.addresses[i];
        insert.Reset();
        insert.Bind(1, id).Bind(2, static_cast<int64_t>(i));
        BindNonEmpty(insert, 3, address.label);
        BindNonEmpty(insert, 4, address.street);
        BindNonEmpty(insert, 5, address.city);
        BindNonEmpty(insert, 6, address.region);
        BindNonEmpty(insert, 7, address.postalCode);
        BindNonEmpty(insert, 8, address.country);
        if (int code = insert.Run())
            return code;
    }
    return VEXA_OK;
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
                           "last_name = ?, nick_name = ?, note = ?, picture1 = ?, picture2 = ?, "
                           "organization = ?, department = ?, job_title = ?, birthday = ? WHERE id = ?");
    BindOptional(update, 1, contact.firstName);
    BindOptional(update, 2, contact.middleName);
    BindOptional(update, 3, contact.lastName);
    BindOptional(update, 4, contact.nickName);
    BindOptional(update, 5, contact.note);
    update.Bind(6, contact.picture1).Bind(7, contact.picture2);
    BindWorkAndBirthday(update, 8, contact);
    update.Bind(12, id);
    if (int code = update.Run())
        return code;
    for (const char* sql : {"DELETE FROM contact_entries WHERE contact_id = ?",
                            "DELETE FROM contact_addresses WHERE contact_id = ?"}) {
        Statement clear(m_db, sql);
        clear.Bind(1, id);
        if (int code = clear.Run())
            return code;
    }
    if (int code = InsertEntries(id, contact))
        return code;
    return InsertAddresses(id, contact);
}

int ContactStore::Delete(int64_t id) {
    if (!Exists(id))
        return VEXA_E_NOT_FOUND;
    for (const char* sql :
         {"DELETE FROM contact_entries WHERE contact_id = ?",
          "DELETE FROM contact_addresses WHERE contact_id = ?",
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
    out.addresses.clear();
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

int ContactStore::ListAddresses(ContactListBuffer& out, const std::vector<int64_t>& ids,
                                std::vector<std::pair<size_t, size_t>>& spans) {
    Statement addresses(m_db, "SELECT contact_id, label, street, city, region, postal_code, country "
                              "FROM contact_addresses ORDER BY contact_id, position");
    if (!addresses.Ok())
        return addresses.Result();
    // Records are in id order; their addresses too, so one pass finds each record's span.
    size_t record = 0;
    spans.assign(ids.size(), {0, 0});
    while (addresses.Step() == SQLITE_ROW) {
        const int64_t id = addresses.Int(0);
        while (record < ids.size() && ids[record] < id)
            ++record;
        if (record == ids.size())
            break;
        if (ids[record] != id)
            continue;
        if (spans[record].second == 0)
            spans[record].first = out.addresses.size();
        ++spans[record].second;
        ContactAddress address{};
        address.label = KeepColumn(out.text, addresses, 1);
        address.street = KeepColumn(out.text, addresses, 2);
        address.city = KeepColumn(out.text, addresses, 3);
        address.region = KeepColumn(out.text, addresses, 4);
        address.postalCode = KeepColumn(out.text, addresses, 5);
        address.country = KeepColumn(out.text, addresses, 6);
        out.addresses.push_back(address);
    }
    return addresses.Result();
}

int ContactStore::ListRecords(ContactListBuffer& out) {
    Statement contacts(m_db,
                       "SELECT id, first_name, middle_name, last_name, nick_name, note, picture1, "
                       "picture2, organization, department, job_title, birthday FROM contacts ORDER BY id");
    Statement entries(m_db, "SELECT contact_id, kind, label, value FROM contact_entries "
                            "ORDER BY contact_id, kind, position");
    if (!contacts.Ok() || !entries.Ok())
        return contacts.Ok() ? entries.Result() : contacts.Result();

    // Contacts and their entries come in the same id order, so one merge pass pairs them up. Each
    // kind of entry gathers in a list of its own: (first entry, count) per record and kind.
    constexpr size_t kKinds = 3; // phones, e-mails, web addresses
    std::array<std::vector<std::pair<size_t, size_t>>, kKinds> spans;
    std::array<std::vector<ContactEntry>, kKinds> lists;
    std::vector<int64_t> ids;
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
        record.organization = KeepColumn(out.text, contacts, 8);
        record.department = KeepColumn(out.text, contacts, 9);
        record.jobTitle = KeepColumn(out.text, contacts, 10);
        record.birthday = KeepColumn(out.text, contacts, 11);
        while (haveEntry && entries.Int(0) < id)
            haveEntry = entries.Step() == SQLITE_ROW;
        for (size_t kind = 0; kind < kKinds; ++kind)
            spans[kind].emplace_back(lists[kind].size(), 0);
        while (haveEntry && entries.Int(0) == id) {
            // A kind this store does not know is listed as a phone, as it always was.
            const int64_t stored = entries.Int(1);
            const size_t kind = stored == kEmailEntry || stored == kUrlEntry ? size_t(stored) : 0;
            lists[kind].push_back({0, KeepColumn(out.text, entries, 2), KeepColumn(out.text, entries, 3)});
            ++spans[kind].back().second;
            haveEntry = entries.Step() == SQLITE_ROW;
        }
        out.records.push_back(record);
        ids.push_back(id);
    }
    if (contacts.Result() != VEXA_OK || entries.Result() != VEXA_OK)
        return contacts.Result() != VEXA_OK ? contacts.Result() : entries.Result();
    std::vector<std::pair<size_t, size_t>> addressSpans;
    if (int code = ListAddresses(out, ids, addressSpans))
        return code;

    // All entry lists live in one array; pointers are set once it no longer moves.
    std::array<size_t, kKinds> base{};
    for (size_t kind = 0; kind < kKinds; ++kind) {
        base[kind] = out.entries.size();
        out.entries.insert(out.entries.end(), lists[kind].begin(), lists[kind].end());
    }
    auto at = [&](size_t kind, size_t record) {
        return spans[kind][record].second ? out.entries.data() + base[kind] + spans[kind][record].first
                                          : nullptr;
    };
    for (size_t i = 0; i < out.records.size(); ++i) {
        auto& record = out.records[i];
        record.phoneCount = static_cast<int32_t>(spans[kPhoneEntry][i].second);
        record.secondCount = static_cast<int32_t>(spans[kEmailEntry][i].second);
        record.urlCount = static_cast<int32_t>(spans[kUrlEntry][i].second);
        record.phones = at(kPhoneEntry, i);
        record.secondList = at(kEmailEntry, i);
        record.urls = at(kUrlEntry, i);
        record.addressCount = static_cast<int32_t>(addressSpans[i].second);
        record.addresses = addressSpans[i].second ? out.addresses.data() + addressSpans[i].first : nullptr;
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
