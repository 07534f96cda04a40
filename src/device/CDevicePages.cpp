#include "CDevicePages.h"

#include "CSingleDetectiPhone.h"
#include "ConnectWidget.h"
#include "InitDeviceWidget.h"
#include "QDeviceInformationWidget.h"
#include "QRightFuntionWidget.h"

namespace {

bool IsConnectPage(const QWidget* page) {
    return page->objectName() == QLatin1String("ConnectWidget");
}

} // namespace

CDevicePages::CDevicePages(QWidget* host, QRightFuntionWidget* tools)
    : m_host(host)
    , m_tools(tools) {}

CDevicePages::~CDevicePages() {
    DeleteAll();
}

void CDevicePages::ShowConnectPage(int connectState) {
    auto* page = new ConnectWidget(m_host);
    page->setObjectName(QStringLiteral("ConnectWidget"));
    page->setConnectState(connectState);
    m_tools->SetToolsEnabled(0);
    SetCurrent(page);
}

void CDevicePages::SetCurrent(QWidget* page) {
    // A device event handled inside a wait of this one (removing a device lets events run) may have shown
    // a page meanwhile. The connection pages belong to no device and go with the page that replaces them.
    if (m_current && m_current != page) {
        m_current->hide();
        if (IsConnectPage(m_current))
            m_current->deleteLater();
    }
    m_current = page;
}

InitDeviceWidget* CDevicePages::ShowInitPage(int deviceHandle) {
    delete m_initPages.take(deviceHandle);
    IVexaManager* manager = CSingleDetectiPhone::Instance()->ManagerOf(deviceHandle);
    auto* page = new InitDeviceWidget(manager, deviceHandle, m_host);
    page->setObjectName(QStringLiteral("InitDeviceWidget"));
    m_initPages.insert(deviceHandle, page);
    SetCurrent(page);
    return page;
}

QDeviceInformationWidget* CDevicePages::ShowInformationPage(IVexaManager* manager, int deviceHandle) {
    auto* page = new QDeviceInformationWidget(manager, m_host);
    page->setObjectName(QStringLiteral("QDeviceInformationWidget"));
    // The page's construction may show a message, whose event loop can deliver the device's removal.
    if (CSingleDetectiPhone::Instance()->ManagerOf(deviceHandle) != manager) {
        delete page;
        return nullptr;
    }
    SetCurrent(page);
    m_tools->SetToolsEnabled(1);
    m_tools->ShowToolsFor(manager);
    return page;
}

void CDevicePages::HideCurrent() {
    if (!m_current)
        return;
    m_current->hide();
    if (IsConnectPage(m_current))
        delete m_current;
    m_current = nullptr;
}

bool CDevicePages::FinishInitPage(int deviceHandle) {
    InitDeviceWidget* page = m_initPages.take(deviceHandle);
    if (!page)
        return false;
    page->hide();
    page->deleteLater();
    if (m_current == page)
        m_current = nullptr;
    return true;
}

void CDevicePages::DropInitPage(int deviceHandle) {
    InitDeviceWidget* page = m_initPages.take(deviceHandle);
    if (!page)
        return;
    if (page == m_current)
        m_current = nullptr;
    page->hide();
    page->Halt();
    page->deleteLater();
}

void CDevicePages::Forget(const QObject* object) {
    if (object == m_current)
        m_current = nullptr;
}

void CDevicePages::DeleteAll() {
    // The current page may be one of the initialising pages; it must not be deleted twice.
    for (InitDeviceWidget* page : std::as_const(m_initPages)) {
        if (page == m_current)
            m_current = nullptr;
    }
    qDeleteAll(m_initPages);
    m_initPages.clear();
    delete m_current;
    m_current = nullptr;
}
