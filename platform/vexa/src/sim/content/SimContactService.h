#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include <vexa/VexaServices.h>

#include "../ResultArena.h"
#include "ContactStore.h"
#include "ContentAccess.h"

namespace vexa::sim {

// The address book of one simulated device (Library/AddressBook under its folder).
class SimContactService final : public IContactService {
public:
    explicit SimContactService(std::shared_ptr<SimDevice> device);

    int GetContacts(ContactList** list) override;
    int SaveContact(ContactRecord* record, int flags) override;
    int DeleteContact(const char* id) override;
    int CreateGroup(const char* name) override;
    int RenameGroup(const char* name, const char* newName) override;
    int DeleteGroup(const char* name) override;
    int SetContactGroups(const char* contactId, const char* const* groupNames, int count) override;

private:
    // Runs one change inside a transaction; nothing stays changed unless `change` answers 0.
    template <class ChangeFunction> int Change(const char* operation, ChangeFunction&& change);
    const char* KeepNewId(int64_t id);

    ContentAccess m_access;
    PerThreadResults<ContactListBuffer> m_lists;
    std::mutex m_newIdsMutex;
    std::deque<std::string> m_newIds; // ids handed back by SaveContact live as long as the service
};

} // namespace vexa::sim
