#pragma once

#include <memory>

#include <vexa/VexaServices.h>

namespace vexa::usb {

class UsbSnapshot;

// The device's address book as its snapshot holds it. The phone takes changes to it only through its
// own sync service: every change answers VEXA_E_READ_ONLY.
class UsbSnapshotContacts : public IContactService {
public:
    explicit UsbSnapshotContacts(std::shared_ptr<UsbSnapshot> snapshot)
        : m_snapshot(std::move(snapshot)) {}

    int GetWriteAccess() override { return kContentReadOnlyOnPhone; }
    int GetContacts(ContactList** list) override;
    int SaveContact(ContactRecord*, int) override;
    int DeleteContact(const char*) override;
    int CreateGroup(const char*) override;
    int RenameGroup(const char*, const char*) override;
    int DeleteGroup(const char*) override;
    int SetContactGroups(const char*, const char* const*, int) override;

private:
    std::shared_ptr<UsbSnapshot> m_snapshot;
};

} // namespace vexa::usb
