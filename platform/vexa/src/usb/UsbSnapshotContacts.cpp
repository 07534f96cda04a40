#include "UsbSnapshotContacts.h"

#include <vexa/VexaResult.h>

#include "UsbSnapshot.h"

namespace vexa::usb {

int UsbSnapshotContacts::GetContacts(ContactList** list) {
    if (list == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *list = nullptr;
    return m_snapshot->With([list](BackupContent& content) { return content.GetContacts(list); });
}

int UsbSnapshotContacts::SaveContact(ContactRecord*, int) {
    return VEXA_E_READ_ONLY;
}

int UsbSnapshotContacts::DeleteContact(const char*) {
    return VEXA_E_READ_ONLY;
}

int UsbSnapshotContacts::CreateGroup(const char*) {
    return VEXA_E_READ_ONLY;
}

int UsbSnapshotContacts::RenameGroup(const char*, const char*) {
    return VEXA_E_READ_ONLY;
}

int UsbSnapshotContacts::DeleteGroup(const char*) {
    return VEXA_E_READ_ONLY;
}

int UsbSnapshotContacts::SetContactGroups(const char*, const char* const*, int) {
    return VEXA_E_READ_ONLY;
}

} // namespace vexa::usb
