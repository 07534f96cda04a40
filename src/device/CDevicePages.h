#pragma once

#include <QMap>

class IVexaManager;
class InitDeviceWidget;
class QDeviceInformationWidget;
class QObject;
class QRightFuntionWidget;
class QWidget;

// The pages the navigation widget shows on the right for the devices themselves: the waiting and
// connection-failed page, one initialising page per arriving device and a device's information page.
// A connection page belongs to no device and goes as soon as another page replaces it; an initialising
// page lives until its device is shown or removed; an information page stays bound to its device node.
class CDevicePages {
public:
    // The pages are children of `host`; the home tools are enabled only beside an information page.
    CDevicePages(QWidget* host, QRightFuntionWidget* tools);
    ~CDevicePages();
    CDevicePages(const CDevicePages&) = delete;
    CDevicePages& operator=(const CDevicePages&) = delete;

    QWidget* Current() const { return m_current; }

    // The waiting page (0) or the connection-failed page (2).
    void ShowConnectPage(int connectState);
    // A device announced twice keeps only its newest page.
    InitDeviceWidget* ShowInitPage(int deviceHandle);
    // Null when the device was removed while its page was being built.
    QDeviceInformationWidget* ShowInformationPage(IVexaManager* manager, int deviceHandle);

    // Hides the current page before the next device event; a connection page is deleted.
    void HideCurrent();
    // The device's initialisation ended: its page goes. False when the device left meanwhile.
    bool FinishInitPage(int deviceHandle);
    // The device left while it was being initialised: its page stops its work and goes.
    void DropInitPage(int deviceHandle);
    // `object` is about to be deleted by its owner.
    void Forget(const QObject* object);
    // Deletes every page now, from the owner's destructor, before the managers they use go.
    void DeleteAll();

private:
    void SetCurrent(QWidget* page);

    QWidget* m_host;
    QRightFuntionWidget* m_tools;
    QWidget* m_current = nullptr;
    QMap<int, InitDeviceWidget*> m_initPages;
};
