#include "ContentAccess.h"

#include <vexa/VexaResult.h>

#include "ContentSchema.h"

namespace vexa::sim {

ContentAccess::ContentAccess(std::shared_ptr<SimDevice> device)
    : m_device(std::move(device)) {}

DatabaseSession ContentAccess::Begin(const char* operation, int& code) {
    code = m_device->CheckCall(operation);
    auto session = m_device->Database().Lock();
    if (code != VEXA_OK)
        return session;
    code = session.Result();
    if (code == VEXA_OK && !m_deviceReady) {
        if (ContentSchema::EnsureDeviceTables(session.Handle()) &&
            ContentSchema::EnsureBuiltIns(session.Handle()))
            m_deviceReady = true;
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
