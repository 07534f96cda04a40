#include "CPhotoSerialImpl.h"

#include "CPhotoSerialThread.h"
#include "IPhotoSerialCallback.h"

CPhotoSerialImpl::CPhotoSerialImpl(IVexaManager* manager, int kind, IPhotoSerialCallback* callback)
    : m_kind(kind)
    , m_callback(callback)
    , m_manager(manager) {}

CPhotoSerialImpl::~CPhotoSerialImpl() = default;

bool CPhotoSerialImpl::BeginItem(const char* name, int) {
    if (name == nullptr) {
        return false;
    }
    if (m_callback != nullptr) {
        m_callback->OnBegin();
    }
    m_entries.emplace_back();
    return true;
}

bool CPhotoSerialImpl::EndItem() {
    if (m_callback != nullptr) {
        m_callback->OnEnd();
    }
    return true;
}

bool CPhotoSerialImpl::Export(const std::string& destination) {
    m_thread.reset();
    // An item that wrote no fields (the category's own, around its records) names no file: counted, it
    // made the dialog read "1 / 11" before the first of ten files was copied.
    std::erase_if(m_entries, [](const PhotoSerialEntry& entry) { return entry.empty(); });
    m_thread = std::make_unique<CPhotoSerialThread>(m_manager, m_kind, m_callback, destination, &m_entries);
    return m_thread->Start();
}

void CPhotoSerialImpl::Cancel() {
    if (m_thread) {
        m_thread->Cancel();
    }
}

bool CPhotoSerialImpl::IsRunning() const {
    return m_thread && m_thread->IsRunning();
}

int CPhotoSerialImpl::FailedCount() const {
    return m_thread ? m_thread->FailedCount() : 0;
}

CFieldListSerial::FieldList* CPhotoSerialImpl::CurrentFields() {
    return m_entries.empty() ? nullptr : &m_entries.back();
}
