#include "ContentAccess.h"

#include <vexa/VexaResult.h>

#include "AddressBookSchema.h"
#include "ContentSchema.h"
#include "PhotoLibraryStore.h"

namespace vexa::sim {

bool EnsureAddressBookFolder(SimDevice& device) {
    // Only inside a device folder that is there: a removed device's folder is never made again.
    std::error_code error;
    const std::filesystem::path folder = device.AddressBookFile().parent_path();
    if (std::filesystem::is_directory(device.Folder(), error) &&
        !std::filesystem::is_directory(folder, error))
        std::filesystem::create_directories(folder, error);
    return std::filesystem::exists(device.AddressBookFile(), error);
}

ContentAccess::ContentAccess(std::shared_ptr<SimDevice> device)
    : m_device(std::move(device)) {}

DatabaseSession ContentAccess::Begin(const char* operation, int& code) {
    code = m_device->CheckCall(operation);
    auto session = m_device->Database().Lock();
    if (code != VEXA_OK)
        return session;
    code = session.Result();
    if (code == VEXA_OK && !m_deviceReady) {
        if (ContentSchema::EnsureDeviceTables(session.Handle()))
            m_deviceReady = true;
        else
            code = VEXA_E_DATABASE;
    }
    return session;
}

DatabaseSession ContentAccess::BeginAddressBook(const char* operation, int& code) {
    code = m_device->CheckCall(operation);
    // A restore may have put an older device's files in place: a new file gets its tables again.
    if (code == VEXA_OK && !EnsureAddressBookFolder(*m_device))
        m_addressBookReady = false;
    auto session = m_device->AddressBook().Lock();
    if (code != VEXA_OK)
        return session;
    code = session.Result();
    if (code == VEXA_OK && !m_addressBookReady) {
        if (AddressBookSchema::Ensure(session.Handle()))
            m_addressBookReady = true;
        else
            code = VEXA_E_DATABASE;
    }
    return session;
}

DatabaseSession ContentAccess::BeginPhotos(const char* operation, int& code) {
    code = m_device->CheckCall(operation);
    // As for the address book: a restored or removed file gets its tables again, a removed device's
    // folder is never made again.
    std::error_code error;
    const std::filesystem::path folder = m_device->PhotoDatabase().File().parent_path();
    if (code == VEXA_OK && !std::filesystem::exists(m_device->PhotoDatabase().File(), error)) {
        m_photosReady = false;
        if (std::filesystem::is_directory(m_device->Folder(), error))
            std::filesystem::create_directories(folder, error);
    }
    auto session = m_device->PhotoDatabase().Lock();
    if (code != VEXA_OK)
        return session;
    code = session.Result();
    if (code == VEXA_OK && !m_photosReady) {
        if (PhotoLibraryStore::EnsureTables(session.Handle()))
            m_photosReady = true;
        else
            code = VEXA_E_DATABASE;
    }
    return session;
}

DatabaseSession ContentAccess::BeginMedia(const char* operation, int& code) {
    code = m_device->CheckCall(operation);
    auto session = m_device->MediaDatabase().Lock();
    if (code != VEXA_OK)
        return session;
    if (session.Result() == VEXA_E_NOT_FOUND) {
        code = VEXA_MEDIA_DB_MISSING;
        return session;
    }
    // A file that SQLite cannot read as a database shows up at the first statement.
    if (session.Result() != VEXA_OK ||
        (!m_mediaReady && !ContentSchema::EnsureMediaTables(session.Handle()))) {
        code = VEXA_MEDIA_DB_DAMAGED;
        return session;
    }
    m_mediaReady = true;
    return session;
}

} // namespace vexa::sim
