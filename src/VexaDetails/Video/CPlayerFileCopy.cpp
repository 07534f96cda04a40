#include "CPlayerFileCopy.h"

#include <vexa/COwnManager.h>

#include "CPreviewCopy.h"

CPlayerFileCopy::CPlayerFileCopy(QObject* parent)
    : QObject(parent) {}

CPlayerFileCopy::~CPlayerFileCopy() {
    StopAndWait();
}

bool CPlayerFileCopy::Copy(int deviceHandle, const std::string& devicePath, int ticket) {
    WaitForThread();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_deviceHandle = deviceHandle;
        m_devicePath = devicePath;
        m_ticket = ticket;
    }
    return Start();
}

void CPlayerFileCopy::Run() {
    int handle = 0;
    std::string path;
    int ticket = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        handle = m_deviceHandle;
        path = m_devicePath;
        ticket = m_ticket;
    }
    // A manager of the copy's own: the device may leave while it runs.
    const COwnManager manager = OwnManagerFor(handle);
    const QString local = manager ? CPreviewCopy::Copy(manager.get(), path) : QString();
    if (!IsStopRequested())
        emit copied(ticket, local);
}
