#include "SimContactService.h"

#include <vexa/VexaResult.h>

namespace vexa::sim {

namespace {

std::optional<std::string> Optional(const char* text) {
    if (!text || !*text)
        return std::nullopt;
    return std::string(text);
}

bool ReadEntries(const ContactEntry* entries, int count,
                 std::vector<std::pair<std::string, std::string>>& out) {
    if (count < 0 || (count > 0 && !entries))
        return false;
    for (int i = 0; i < count; ++i) {
        if (!entries[i].value)
            return false;
        out.emplace_back(entries[i].label ? entries[i].label : "other", entries[i].value);
    }
    return true;
}

} // namespace

SimContactService::SimContactService(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

template <class ChangeFunction>
int SimContactService::Change(const char* operation, ChangeFunction&& change) {
    int code = VEXA_OK;
    auto session = m_access.Begin(operation, code);
    if (code)
        return code;
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    ContactStore store(session.Handle());
    if ((code = change(store)))
        return code;
    return transaction.Commit();
}

int SimContactService::GetContacts(ContactList** list) {
    if (!list)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetContacts", code);
    if (code)
        return code;
    auto& buffer = m_lists.ForCurrentThread();
    if ((code = ContactStore(session.Handle()).List(buffer)))
        return code;
    *list = &buffer.list;
    return VEXA_OK;
}

const char* SimContactService::KeepNewId(int64_t id) {
    std::lock_guard lock(m_newIdsMutex);
    return m_newIds.emplace_back(std::to_string(id)).c_str();
}

int SimContactService::SaveContact(ContactRecord* record, int) {
    if (!record)
        return VEXA_E_INVALID_ARGUMENT;
    ContactData contact;
    contact.firstName = Optional(record->firstName);
    contact.middleName = Optional(record->middleName);
    contact.lastName = Optional(record->lastName);
    contact.nickName = Optional(record->nickName);
    contact.note = Optional(record->note);
    contact.picture1 = record->pictureValue1;
    contact.picture2 = record->pictureValue2;
    if (!ReadEntries(record->phones, record->phoneCount, contact.phones) ||
        !ReadEntries(record->secondList, record->secondCount, contact.emails))
        return VEXA_E_INVALID_ARGUMENT;

    std::optional<int64_t> id;
    if (record->id) {
        id = ContactStore::ParseId(record->id);
        if (!id)
            return VEXA_E_NOT_FOUND;
    }
    int64_t newId = 0;
    const int code = Change("SaveContact", [&](ContactStore& store) {
        return id ? store.Update(*id, contact) : store.Insert(contact, &newId);
    });
    if (code == VEXA_OK && !id)
        record->id = KeepNewId(newId);
    return code;
}

int SimContactService::DeleteContact(const char* id) {
    if (!id)
        return VEXA_E_INVALID_ARGUMENT;
    const auto contactId = ContactStore::ParseId(id);
    return Change("DeleteContact", [&](ContactStore& store) {
        return contactId ? store.Delete(*contactId) : static_cast<int>(VEXA_E_NOT_FOUND);
    });
}

int SimContactService::CreateGroup(const char* name) {
    if (!name)
        return VEXA_E_INVALID_ARGUMENT;
    return Change("CreateGroup", [&](ContactStore& store) { return store.CreateGroup(name); });
}

int SimContactService::RenameGroup(const char* name, const char* newName) {
    if (!name || !newName)
        return VEXA_E_INVALID_ARGUMENT;
    return Change("RenameGroup", [&](ContactStore& store) { return store.RenameGroup(name, newName); });
}

int SimContactService::DeleteGroup(const char* name) {
    if (!name)
        return VEXA_E_INVALID_ARGUMENT;
    return Change("DeleteGroup", [&](ContactStore& store) { return store.DeleteGroup(name); });
}

int SimContactService::SetContactGroups(const char* contactId, const char* const* groupNames, int count) {
    if (!contactId || count < 0 || (count > 0 && !groupNames))
        return VEXA_E_INVALID_ARGUMENT;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        if (!groupNames[i])
            return VEXA_E_INVALID_ARGUMENT;
        names.emplace_back(groupNames[i]);
    }
    const auto id = ContactStore::ParseId(contactId);
    return Change("SetContactGroups", [&](ContactStore& store) {
        return id ? store.SetContactGroups(*id, names) : static_cast<int>(VEXA_E_NOT_FOUND);
    });
}

} // namespace vexa::sim
