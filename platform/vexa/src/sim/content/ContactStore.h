#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::sim {

struct ContactAddressData {
    std::string label, street, city, region, postalCode, country; // empty parts are stored as NULL
};

struct ContactData {
    std::optional<std::string> firstName, middleName, lastName, nickName, note;
    int32_t picture1 = 0;
    int32_t picture2 = 0;
    std::vector<std::pair<std::string, std::string>> phones; // (label, number)
    std::vector<std::pair<std::string, std::string>> emails; // (label, address)
    std::optional<std::string> organization, department, jobTitle, birthday;
    std::vector<ContactAddressData> addresses;
    std::vector<std::pair<std::string, std::string>> urls; // (label, address)
};

// Everything GetContacts hands out; the records point into it.
struct ContactListBuffer {
    ContactList list{};
    std::vector<ContactRecord> records;
    std::vector<ContactEntry> entries;
    std::vector<ContactAddress> addresses;
    std::vector<ContactGroupRecord> groups;
    std::vector<const char*> memberIds;
    TextArena text;
};

// Contacts and contact groups in the device database. The caller holds the database lock and, for
// changes, a transaction; every operation answers a VexaResult.
class ContactStore {
public:
    explicit ContactStore(sqlite3* db);

    int Insert(const ContactData& contact, int64_t* newId);
    // The middle name is kept when the update carries none: the editor never sends it. Everything
    // else, the entries and addresses included, is replaced by what the update carries.
    int Update(int64_t id, const ContactData& contact);
    int Delete(int64_t id);
    int List(ContactListBuffer& out);
    int64_t Count();

    int CreateGroup(const std::string& name);
    int RenameGroup(const std::string& name, const std::string& newName);
    int DeleteGroup(const std::string& name);
    int SetContactGroups(int64_t contactId, const std::vector<std::string>& groupNames);
    int AddToGroup(int64_t contactId, const std::string& groupName);

    // A decimal contact id as the device hands it out; nullopt for anything else.
    static std::optional<int64_t> ParseId(const char* id);

private:
    bool Exists(int64_t id);
    int InsertEntries(int64_t id, const ContactData& contact);
    int InsertAddresses(int64_t id, const ContactData& contact);
    int ListAddresses(ContactListBuffer& out, const std::vector<int64_t>& ids,
                      std::vector<std::pair<size_t, size_t>>& spans);
    std::optional<int64_t> GroupId(const std::string& name, bool* builtin);
    int ListRecords(ContactListBuffer& out);
    int ListGroups(ContactListBuffer& out);

    sqlite3* m_db;
};

} // namespace vexa::sim
