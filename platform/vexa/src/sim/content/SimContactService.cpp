#include "SimContactService.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <vexa/VexaResult.h>

#include "AddressBookSchema.h"
#include "FileDescriptor.h"
#include "formats/ImageFile.h"

namespace vexa::sim {

namespace {

// The side of the thumbnail a phone keeps beside a contact's full picture.
constexpr int kContactThumbnailSide = 120;

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

bool ReadAddresses(const ContactAddress* addresses, int count, std::vector<ContactAddressData>& out) {
    if (count < 0 || (count > 0 && !addresses))
        return false;
    auto text = [](const char* part) { return part ? std::string(part) : std::string(); };
    for (int i = 0; i < count; ++i) {
        const ContactAddress& address = addresses[i];
        out.push_back({address.label ? address.label : "other", text(address.street), text(address.city),
                       text(address.region), text(address.postalCode), text(address.country)});
    }
    return true;
}

// "yyyy-MM-dd" with a month and day that can exist; the day is not checked against its month.
bool IsBirthday(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return false;
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// The small JPEG the phone's lists show beside a contact; empty when `picture` is no image.
std::string ContactThumbnail(const std::string& picture) {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "vexa-picture-XXXXXX").string();
    FileDescriptor file(mkstemp(pattern.data()));
    if (file.Get() < 0)
        return {};
    const bool written = WriteAll(file.Get(), picture.data(), picture.size()) && file.Close();
    std::vector<uint8_t> thumbnail;
    if (written)
        thumbnail = formats::MakeJpegThumbnail(pattern, kContactThumbnailSide);
    std::filesystem::remove(pattern, error);
    return std::string(thumbnail.begin(), thumbnail.end());
}

} // namespace

SimContactService::SimContactService(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

template <class ChangeFunction>
int SimContactService::Change(const char* operation, ChangeFunction&& change) {
    int code = VEXA_OK;
    auto session = m_access.BeginAddressBook(operation, code);
    if (code)
        return code;
    // Pictures live in a file of their own that changes in the same transaction as the contact.
    AddressBookSchema::AttachImages(session.Handle());
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
    auto session = m_access.BeginAddressBook("GetContacts", code);
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
    if (record->pictureSize < 0 || (record->pictureSize > 0 && !record->picture))
        return VEXA_E_INVALID_ARGUMENT;
    if (record->pictureSize > 0) {
        contact.picture.assign(reinterpret_cast<const char*>(record->picture), size_t(record->pictureSize));
        // A picture that does not decode is refused rather than stored for the phone to choke on.
        contact.thumbnail = ContactThumbnail(contact.picture);
        if (contact.thumbnail.empty())
            return VEXA_E_INVALID_ARGUMENT;
    }
    contact.organization = Optional(record->organization);
    contact.department = Optional(record->department);
    contact.jobTitle = Optional(record->jobTitle);
    contact.birthday = Optional(record->birthday);
    if (!ReadEntries(record->phones, record->phoneCount, contact.phones) ||
        !ReadEntries(record->secondList, record->secondCount, contact.emails) ||
        !ReadEntries(record->urls, record->urlCount, contact.urls) ||
        !ReadAddresses(record->addresses, record->addressCount, contact.addresses) ||
        (contact.birthday && !IsBirthday(*contact.birthday)))
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
