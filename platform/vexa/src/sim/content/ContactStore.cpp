#include "ContactStore.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "AddressBookSchema.h"
#include "ReadResultCode.h"
#include "ios/AddressBookReader.h"
#include "ios/AppleTime.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

namespace {

// The record's labels that the phone has built-in names for.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kBuiltInLabels = {{
    {"home", "Home"},
    {"mobile", "Mobile"},
    {"work", "Work"},
    {"work fax", "WorkFAX"},
    {"home fax", "HomeFAX"},
    {"other fax", "OtherFAX"},
    {"pager", "Pager"},
    {"other", "Other"},
    {"main", "Main"},
    {"home page", "HomePage"},
}};

// The parts of a postal address, by the keys ABMultiValueEntryKey names them with.
constexpr std::array<const char*, 5> kAddressKeys = {"Street", "City", "State", "ZIP", "Country"};

void BindOptional(Statement& statement, int index, const std::optional<std::string>& text) {
    if (text)
        statement.Bind(index, std::string_view(*text));
    else
        statement.BindNull(index);
}

int64_t AppleNow() {
    return int64_t(ios::AppleSecondsFromUnix(int64_t(std::time(nullptr))));
}

// Birthdays are stored as text of whole seconds, as the phone does.
void BindBirthday(Statement& statement, int index, const std::optional<std::string>& birthday) {
    const auto seconds = birthday ? ios::AppleSecondsFromBirthday(*birthday) : std::nullopt;
    if (seconds)
        statement.Bind(index, std::to_string(int64_t(std::llround(*seconds))));
    else
        statement.BindNull(index);
}

// The person columns Insert and Update set, bound from `first` on in this order.
void BindPerson(Statement& statement, int first, const ContactData& contact) {
    BindOptional(statement, first, contact.firstName);
    BindOptional(statement, first + 1, contact.middleName);
    BindOptional(statement, first + 2, contact.lastName);
    BindOptional(statement, first + 3, contact.nickName);
    BindOptional(statement, first + 4, contact.note);
    BindOptional(statement, first + 5, contact.organization);
    BindOptional(statement, first + 6, contact.department);
    BindOptional(statement, first + 7, contact.jobTitle);
    BindBirthday(statement, first + 8, contact.birthday);
}

const char* Keep(TextArena& text, const std::optional<std::string>& value) {
    return value ? text.Add(*value) : nullptr;
}

const char* KeepNonEmpty(TextArena& text, const std::string& value) {
    return value.empty() ? nullptr : text.Add(value);
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

std::string ContactStore::StoredLabel(const std::string& label) {
    for (const auto& [shown, builtIn] : kBuiltInLabels) {
        if (label == shown)
            return ios::WrapAddressBookLabel(builtIn);
    }
    return label;
}

std::string ContactStore::ShownLabel(const std::string& label, bool builtIn) {
    if (!builtIn)
        return label;
    for (const auto& [shown, name] : kBuiltInLabels) {
        if (label == name)
            return std::string(shown);
    }
    std::string lower = label; // a built-in label the record has no name for ("School")
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

std::optional<int64_t> ContactStore::LabelId(const std::string& label, int& code) {
    if (label.empty())
        return std::nullopt;
    const std::string stored = StoredLabel(label);
    if (auto known = m_labelIds.find(stored); known != m_labelIds.end())
        return known->second;
    Statement insert(m_db, "INSERT OR IGNORE INTO ABMultiValueLabel(value) VALUES (?)");
    Statement find(m_db, "SELECT ROWID FROM ABMultiValueLabel WHERE value = ?");
    if ((code = insert.Bind(1, std::string_view(stored)).Run()))
        return std::nullopt;
    find.Bind(1, std::string_view(stored));
    if (find.Step() != SQLITE_ROW) {
        code = find.Result() ? find.Result() : int(VEXA_E_DATABASE);
        return std::nullopt;
    }
    return m_labelIds[stored] = find.Int(0);
}

std::optional<int64_t> ContactStore::EntryKeyId(const char* key, int& code) {
    if (auto known = m_entryKeyIds.find(key); known != m_entryKeyIds.end())
        return known->second;
    Statement insert(m_db, "INSERT OR IGNORE INTO ABMultiValueEntryKey(value) VALUES (?)");
    Statement find(m_db, "SELECT ROWID FROM ABMultiValueEntryKey WHERE value = ?");
    if ((code = insert.Bind(1, key).Run()))
        return std::nullopt;
    find.Bind(1, key);
    if (find.Step() != SQLITE_ROW) {
        code = find.Result() ? find.Result() : int(VEXA_E_DATABASE);
        return std::nullopt;
    }
    return m_entryKeyIds[key] = find.Int(0);
}

int ContactStore::Insert(const ContactData& contact, int64_t* newId) {
    Statement insert(m_db, "INSERT INTO ABPerson(First, Middle, Last, Nickname, Note, Organization, "
                           "Department, JobTitle, Birthday, CreationDate, ModificationDate, StoreID, Kind) "
                           "VALUES (?,?,?,?,?,?,?,?,?,?,?,1,0)");
    BindPerson(insert, 1, contact);
    const int64_t now = AppleNow();
    insert.Bind(10, now).Bind(11, now);
    if (int code = insert.Run())
        return code;
    const int64_t id = sqlite3_last_insert_rowid(m_db);
    if (int code = InsertValues(id, contact))
        return code;
    if (int code = InsertAddresses(id, contact))
        return code;
    if (int code = SetPicture(id, contact))
        return code;
    if (newId)
        *newId = id;
    return VEXA_OK;
}

int ContactStore::InsertValues(int64_t id, const ContactData& contact) {
    Statement insert(m_db, "INSERT INTO ABMultiValue(record_id, property, identifier, label, value) "
                           "VALUES (?,?,?,?,?)");
    int64_t identifier = 0;
    auto add = [&](int property, const std::vector<std::pair<std::string, std::string>>& values) {
        for (const auto& [label, value] : values) {
            int code = VEXA_OK;
            const auto labelId = LabelId(label, code);
            if (code)
                return code;
            insert.Reset();
            insert.Bind(1, id).Bind(2, int64_t(property)).Bind(3, identifier++);
            if (labelId)
                insert.Bind(4, *labelId);
            else
                insert.BindNull(4);
            if ((code = insert.Bind(5, std::string_view(value)).Run()))
                return code;
        }
        return static_cast<int>(VEXA_OK);
    };
    if (int code = add(ios::kAddressBookPhone, contact.phones))
        return code;
    if (int code = add(ios::kAddressBookEmail, contact.emails))
        return code;
    return add(ios::kAddressBookUrl, contact.urls);
}

int ContactStore::InsertAddresses(int64_t id, const ContactData& contact) {
    if (contact.addresses.empty())
        return VEXA_OK;
    Statement value(m_db, "INSERT INTO ABMultiValue(record_id, property, identifier, label, value) "
                          "VALUES (?,?,?,?,NULL)");
    Statement part(m_db, "INSERT INTO ABMultiValueEntry(parent_id, key, value) VALUES (?,?,?)");
    int64_t identifier = int64_t(contact.phones.size() + contact.emails.size() + contact.urls.size());
    for (const ContactAddressData& address : contact.addresses) {
        int code = VEXA_OK;
        const auto labelId = LabelId(address.label, code);
        if (code)
            return code;
        value.Reset();
        value.Bind(1, id).Bind(2, int64_t(ios::kAddressBookAddress)).Bind(3, identifier++);
        if (labelId)
            value.Bind(4, *labelId);
        else
            value.BindNull(4);
        if ((code = value.Run()))
            return code;
        const int64_t parent = sqlite3_last_insert_rowid(m_db);
        const std::array<const std::string*, 5> parts = {&address.street, &address.city, &address.region,
                                                         &address.postalCode, &address.country};
        for (size_t i = 0; i < parts.size(); ++i) {
            if (parts[i]->empty())
                continue; // an empty part is not stored
            const auto key = EntryKeyId(kAddressKeys[i], code);
            if (code)
                return code;
            part.Reset();
            if ((code = part.Bind(1, parent).Bind(2, *key).Bind(3, std::string_view(*parts[i])).Run()))
                return code;
        }
    }
    return VEXA_OK;
}

int ContactStore::SetPicture(int64_t id, const ContactData& contact) {
    if (sqlite3_db_filename(m_db, "images") == nullptr)
        return contact.picture.empty() ? int(VEXA_OK) : int(VEXA_E_DATABASE);
    for (const char* sql : {"DELETE FROM images.ABThumbnailImage WHERE record_id = ?",
                            "DELETE FROM images.ABFullSizeImage WHERE record_id = ?"}) {
        if (int code = Statement(m_db, sql).Bind(1, id).Run())
            return code;
    }
    if (contact.picture.empty())
        return VEXA_OK;
    Statement full(m_db, "INSERT INTO images.ABFullSizeImage(record_id, data) VALUES (?,?)");
    full.Bind(1, id).BindBlob(2, contact.picture.data(), int(contact.picture.size()));
    if (int code = full.Run())
        return code;
    if (contact.thumbnail.empty())
        return VEXA_OK;
    // Format 0 is the small thumbnail every phone has; larger ones are made on the phone when shown.
    Statement thumbnail(m_db, "INSERT INTO images.ABThumbnailImage(record_id, format, derived_from_format, "
                              "data) VALUES (?,0,0,?)");
    thumbnail.Bind(1, id).BindBlob(2, contact.thumbnail.data(), int(contact.thumbnail.size()));
    return thumbnail.Run();
}

int ContactStore::RemoveValues(int64_t id) {
    for (const char* sql : {"DELETE FROM ABMultiValueEntry WHERE parent_id IN (SELECT UID FROM ABMultiValue "
                            "WHERE record_id = ?)",
                            "DELETE FROM ABMultiValue WHERE record_id = ?"}) {
        Statement clear(m_db, sql);
        if (int code = clear.Bind(1, id).Run())
            return code;
    }
    return VEXA_OK;
}

bool ContactStore::Exists(int64_t id) {
    Statement find(m_db, "SELECT 1 FROM ABPerson WHERE ROWID = ?");
    find.Bind(1, id);
    return find.Step() == SQLITE_ROW;
}

int ContactStore::Update(int64_t id, const ContactData& contact) {
    if (!Exists(id))
        return VEXA_E_NOT_FOUND;
    Statement update(m_db,
                     "UPDATE ABPerson SET First = ?, Middle = COALESCE(?, Middle), Last = ?, Nickname = ?, "
                     "Note = ?, Organization = ?, Department = ?, JobTitle = ?, Birthday = ?, "
                     "ModificationDate = ? WHERE ROWID = ?");
    BindPerson(update, 1, contact);
    update.Bind(10, AppleNow()).Bind(11, id);
    if (int code = update.Run())
        return code;
    if (int code = RemoveValues(id))
        return code;
    if (int code = InsertValues(id, contact))
        return code;
    if (int code = InsertAddresses(id, contact))
        return code;
    return SetPicture(id, contact);
}

int ContactStore::Delete(int64_t id) {
    if (!Exists(id))
        return VEXA_E_NOT_FOUND;
    if (int code = RemoveValues(id))
        return code;
    for (const char* sql : {"DELETE FROM ABGroupMembers WHERE member_id = ? AND member_type = 0",
                            "DELETE FROM ABPerson WHERE ROWID = ?"}) {
        Statement remove(m_db, sql);
        if (int code = remove.Bind(1, id).Run())
            return code;
    }
    return SetPicture(id, ContactData{});
}

int64_t ContactStore::Count() {
    Statement count(m_db, "SELECT COUNT(*) FROM ABPerson");
    return count.Step() == SQLITE_ROW ? count.Int(0) : -1;
}

std::optional<int64_t> ContactStore::GroupId(const std::string& name) {
    Statement find(m_db, "SELECT ROWID FROM ABGroup WHERE Name = ? ORDER BY ROWID LIMIT 1");
    find.Bind(1, std::string_view(name));
    if (find.Step() != SQLITE_ROW)
        return std::nullopt;
    return find.Int(0);
}

int ContactStore::CreateGroup(const std::string& name) {
    if (name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    if (GroupId(name))
        return VEXA_E_EXISTS;
    Statement insert(m_db, "INSERT INTO ABGroup(Name, StoreID) VALUES (?, 1)");
    insert.Bind(1, std::string_view(name));
    return insert.Run();
}

int ContactStore::RenameGroup(const std::string& name, const std::string& newName) {
    if (name.empty() || newName.empty())
        return VEXA_E_INVALID_ARGUMENT;
    auto id = GroupId(name);
    if (!id)
        return VEXA_E_NOT_FOUND;
    if (AddressBookSchema::IsBuiltInGroup(name))
        return VEXA_E_PROTECTED;
    if (newName == name)
        return VEXA_OK;
    if (GroupId(newName))
        return VEXA_E_EXISTS;
    Statement update(m_db, "UPDATE ABGroup SET Name = ? WHERE ROWID = ?");
    update.Bind(1, std::string_view(newName)).Bind(2, *id);
    return update.Run();
}

int ContactStore::DeleteGroup(const std::string& name) {
    if (name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    auto id = GroupId(name);
    if (!id)
        return VEXA_E_NOT_FOUND;
    if (AddressBookSchema::IsBuiltInGroup(name))
        return VEXA_E_PROTECTED;
    for (const char* sql :
         {"DELETE FROM ABGroupMembers WHERE group_id = ?", "DELETE FROM ABGroup WHERE ROWID = ?"}) {
        Statement remove(m_db, sql);
        if (int code = remove.Bind(1, *id).Run())
            return code;
    }
    return VEXA_OK;
}

int ContactStore::SetContactGroups(int64_t contactId, const std::vector<std::string>& groupNames) {
    if (!Exists(contactId))
        return VEXA_E_NOT_FOUND;
    std::vector<int64_t> groupIds;
    for (const auto& name : groupNames) {
        auto id = GroupId(name);
        if (!id)
            return VEXA_E_NOT_FOUND;
        groupIds.push_back(*id);
    }
    Statement clear(m_db, "DELETE FROM ABGroupMembers WHERE member_id = ? AND member_type = 0");
    clear.Bind(1, contactId);
    if (int code = clear.Run())
        return code;
    Statement insert(m_db,
                     "INSERT OR IGNORE INTO ABGroupMembers(group_id, member_type, member_id) VALUES (?,0,?)");
    for (int64_t groupId : groupIds) {
        insert.Reset();
        insert.Bind(1, groupId).Bind(2, contactId);
        if (int code = insert.Run())
            return code;
    }
    return VEXA_OK;
}

int ContactStore::AddToGroup(int64_t contactId, const std::string& groupName) {
    auto groupId = GroupId(groupName);
    if (!groupId)
        return VEXA_E_NOT_FOUND;
    Statement insert(m_db,
                     "INSERT OR IGNORE INTO ABGroupMembers(group_id, member_type, member_id) VALUES (?,0,?)");
    insert.Bind(1, *groupId).Bind(2, contactId);
    return insert.Run();
}

namespace {

void FillEntries(const std::vector<ios::AddressBookValue>& values, TextArena& text,
                 std::vector<ContactEntry>& entries) {
    for (const ios::AddressBookValue& value : values)
        entries.push_back(
            {0, text.Add(ContactStore::ShownLabel(value.label, value.builtInLabel)), text.Add(value.value)});
}

// The records of `book` in the device's record layout, all texts in the buffer's arena.
void FillRecords(const ios::AddressBook& book, ContactListBuffer& out) {
    size_t entryCount = 0;
    size_t addressCount = 0;
    for (const ios::AddressBookPerson& person : book.people) {
        entryCount += person.phones.size() + person.emails.size() + person.urls.size();
        addressCount += person.addresses.size();
    }
    // Reserved up front, so the records' pointers into the lists stay valid.
    out.entries.reserve(entryCount);
    out.addresses.reserve(addressCount);
    out.records.reserve(book.people.size());
    TextArena& text = out.text;
    for (const ios::AddressBookPerson& person : book.people) {
        ContactRecord record{};
        record.id = text.Add(std::to_string(person.id));
        record.firstName = Keep(text, person.firstName);
        record.middleName = Keep(text, person.middleName);
        record.lastName = Keep(text, person.lastName);
        record.nickName = Keep(text, person.nickName);
        record.note = Keep(text, person.note);
        if (!person.picture.empty()) {
            record.picture = reinterpret_cast<const uint8_t*>(text.Add(person.picture));
            record.pictureSize = int32_t(person.picture.size());
        }
        record.organization = Keep(text, person.organization);
        record.department = Keep(text, person.department);
        record.jobTitle = Keep(text, person.jobTitle);
        record.birthday = Keep(text, person.birthday);
        auto list = [&](const std::vector<ios::AddressBookValue>& values, int32_t& count) -> ContactEntry* {
            count = int32_t(values.size());
            const size_t first = out.entries.size();
            FillEntries(values, text, out.entries);
            return values.empty() ? nullptr : out.entries.data() + first;
        };
        record.phones = list(person.phones, record.phoneCount);
        record.secondList = list(person.emails, record.secondCount);
        record.urls = list(person.urls, record.urlCount);
        record.addressCount = int32_t(person.addresses.size());
        record.addresses = person.addresses.empty() ? nullptr : out.addresses.data() + out.addresses.size();
        for (const ios::AddressBookAddress& address : person.addresses) {
            out.addresses.push_back({text.Add(ContactStore::ShownLabel(address.label, address.builtInLabel)),
                                     KeepNonEmpty(text, address.street), KeepNonEmpty(text, address.city),
                                     KeepNonEmpty(text, address.region),
                                     KeepNonEmpty(text, address.postalCode),
                                     KeepNonEmpty(text, address.country)});
        }
        out.records.push_back(record);
    }
}

} // namespace

int ContactStore::List(ContactListBuffer& out) {
    ClearList(out);
    const char* file = sqlite3_db_filename(m_db, "main");
    if (file == nullptr || *file == '\0')
        return VEXA_E_DATABASE;
    // The caller holds the database: its committed state is read in place through a second connection.
    ios::AddressBook book;
    if (int read = ios::AddressBookReader::Read(file, book, ios::ReadOnlyDatabase::Mode::InPlace);
        read != ios::kReadOk)
        return VexaResultOf(read);
    // Pictures are optional: a missing or damaged images file leaves the contacts without them.
    ios::AddressBookReader::ReadPictures(std::filesystem::path(file).parent_path() /
                                             "AddressBookImages.sqlitedb",
                                         book, ios::ReadOnlyDatabase::Mode::InPlace);
    ListBook(std::move(book), out);
    return VEXA_OK;
}

void ContactStore::ClearList(ContactListBuffer& out) {
    out.records.clear();
    out.entries.clear();
    out.addresses.clear();
    out.groups.clear();
    out.memberIds.clear();
    out.text.Clear();
    out.list = {};
}

void ContactStore::ListBook(ios::AddressBook book, ContactListBuffer& out) {
    ClearList(out);
    FillRecords(book, out);

    // The groups every device has come first, then the others in the order they were made.
    std::stable_partition(book.groups.begin(), book.groups.end(), [](const ios::AddressBookGroup& group) {
        return AddressBookSchema::IsBuiltInGroup(group.name);
    });
    size_t memberCount = 0;
    for (const ios::AddressBookGroup& group : book.groups)
        memberCount += group.memberIds.size();
    out.memberIds.reserve(memberCount);
    for (const ios::AddressBookGroup& group : book.groups) {
        ContactGroupRecord record{};
        record.name = out.text.Add(group.name);
        record.memberCount = int32_t(group.memberIds.size());
        record.memberIds = group.memberIds.empty() ? nullptr : out.memberIds.data() + out.memberIds.size();
        for (int64_t id : group.memberIds)
            out.memberIds.push_back(out.text.Add(std::to_string(id)));
        out.groups.push_back(record);
    }
    out.list.recordCount = static_cast<int32_t>(out.records.size());
    out.list.records = out.records.empty() ? nullptr : out.records.data();
    out.list.groupCount = static_cast<int32_t>(out.groups.size());
    out.list.groups = out.groups.empty() ? nullptr : out.groups.data();
}

} // namespace vexa::sim
