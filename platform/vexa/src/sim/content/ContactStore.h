#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::ios {
struct AddressBook;
}

namespace vexa::sim {

struct ContactAddressData {
    std::string label, street, city, region, postalCode, country; // empty parts are stored as NULL
};

struct ContactData {
    std::optional<std::string> firstName, middleName, lastName, nickName, note;
    std::string picture;   // JPEG bytes; empty for none
    std::string thumbnail; // the small copy the phone's lists show, made from `picture`
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

// Contacts and contact groups in the device's address book (AddressBook.sqlitedb, written the way the
// phone's own app writes it; see AddressBookSchema). Lists are read back through the same reader as a
// phone's or a backup's file. The caller holds the database lock and, for changes, a transaction;
// every operation answers a VexaResult.
class ContactStore {
public:
    // Pictures are written to the images file attached as "images" (AddressBookSchema::AttachImages);
    // without it only contacts without a picture can be saved.
    explicit ContactStore(sqlite3* db);

    int Insert(const ContactData& contact, int64_t* newId);
    // The middle name is kept when the update carries none: the editor never sends it. Everything
    // else, the entries and addresses included, is replaced by what the update carries.
    int Update(int64_t id, const ContactData& contact);
    int Delete(int64_t id);
    int List(ContactListBuffer& out);
    // The people and groups of an address book read elsewhere (a backup's), listed as List lists them.
    static void ListBook(ios::AddressBook book, ContactListBuffer& out);
    int64_t Count();

    int CreateGroup(const std::string& name);
    int RenameGroup(const std::string& name, const std::string& newName);
    int DeleteGroup(const std::string& name);
    int SetContactGroups(int64_t contactId, const std::vector<std::string>& groupNames);
    int AddToGroup(int64_t contactId, const std::string& groupName);

    // A decimal contact id as the device hands it out; nullopt for anything else.
    static std::optional<int64_t> ParseId(const char* id);

    // A label as the device's record carries it ("mobile", "work fax") and as the address book stores it
    // ("_$!<Mobile>!$_", "_$!<WorkFAX>!$_"); labels the phone does not know are stored as they are.
    static std::string StoredLabel(const std::string& label);
    static std::string ShownLabel(const std::string& label, bool builtIn);

private:
    static void ClearList(ContactListBuffer& out);
    bool Exists(int64_t id);
    int InsertValues(int64_t id, const ContactData& contact);
    int InsertAddresses(int64_t id, const ContactData& contact);
    int SetPicture(int64_t id, const ContactData& contact);
    int RemoveValues(int64_t id);
    std::optional<int64_t> LabelId(const std::string& label, int& code);
    std::optional<int64_t> EntryKeyId(const char* key, int& code);
    std::optional<int64_t> GroupId(const std::string& name);

    sqlite3* m_db;
    std::unordered_map<std::string, int64_t> m_labelIds; // label rows known to this store
    std::unordered_map<std::string, int64_t> m_entryKeyIds;
};

} // namespace vexa::sim
