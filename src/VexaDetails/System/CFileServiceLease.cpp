#include "CFileServiceLease.h"

#include <vexa/vexa.h>

CFileServiceLease::CFileServiceLease(int deviceHandle, const std::string& appId) {
    m_manager = GetVexaManager();
    if (m_manager == nullptr || m_manager->SetDeviceHandle(deviceHandle) != 0) {
        return;
    }
    IFileService* device = m_manager->GetFileService();
    if (device == nullptr || appId.empty()) {
        m_files = device;
        return;
    }
    if (device->OpenAppContainer(appId.c_str(), &m_container) == 0) {
        m_files = m_container;
    }
}

CFileServiceLease::~CFileServiceLease() {
    if (m_container != nullptr && m_manager != nullptr && m_manager->GetFileService() != nullptr) {
        m_manager->GetFileService()->CloseAppContainer(m_container);
    }
    if (m_manager != nullptr) {
        DeleteVexaManager(&m_manager);
    }
}
