#include "ServiceRouter.h"

#include "AfcService.h"
#include "BackupService.h"
#include "EmulatedDevice.h"
#include "HouseArrestService.h"
#include "InstallationProxyService.h"
#include "LockdownService.h"
#include "NotificationProxyService.h"
#include "ServiceContext.h"
#include "SpringboardService.h"
#include "WireChannel.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

void ServeDeviceConnection(Emulator& emulator, const std::shared_ptr<EmulatedDevice>& device,
                           WireChannel& channel, const ServicePort& port) {
    if (!device->AddConnection(&channel))
        return;
    const std::string& service = port.service;
    if (port.tls) {
        const SslContextPtr tls = device->Identity().TlsContextFor(port.hostId);
        if (!tls || !channel.StartTls(tls.get())) {
            device->RemoveConnection(&channel);
            return;
        }
    }
    if (service == "lockdown") {
        ServiceContext context{emulator, *device, channel, "lockdown"};
        LockdownService(context).Serve();
    } else if (service == "com.apple.afc") {
        ServiceContext context{emulator, *device, channel, "afc"};
        AfcService(context, device->Sim().MediaRoot()).Serve();
    } else if (service == "com.apple.mobile.installation_proxy") {
        ServiceContext context{emulator, *device, channel, "installation_proxy"};
        InstallationProxyService(context).Serve();
    } else if (service == "com.apple.springboardservices") {
        ServiceContext context{emulator, *device, channel, "springboard"};
        SpringboardService(context).Serve();
    } else if (service == "com.apple.mobile.notification_proxy") {
        ServiceContext context{emulator, *device, channel, "notification_proxy"};
        NotificationProxyService(context).Serve();
    } else if (service == "com.apple.mobile.house_arrest") {
        ServiceContext context{emulator, *device, channel, "house_arrest"};
        HouseArrestService(context).Serve();
    } else if (service == "com.apple.mobilebackup2") {
        ServiceContext context{emulator, *device, channel, "backup"};
        BackupService(context).Serve();
    }
    device->RemoveConnection(&channel);
}

} // namespace vexa::emulator
