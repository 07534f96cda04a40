#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include <vexa/InstallProgress.h>
#include <vexa/VexaServices.h>

#include "sim/ResultArena.h"

namespace vexa::usb {

class UsbDevice;

// Installed apps through installation_proxy, their icons through springboard services; an .ipa is
// uploaded to PublicStaging over AFC and installed from there, its progress readable meanwhile. Current
// devices have no app archiving, so BackupApp always fails.
class UsbAppLibrary : public IAppLibrary, public IInstallProgress {
public:
    explicit UsbAppLibrary(std::shared_ptr<UsbDevice> device);

    int GetApplistInfo(AppRecord** records, int* count) override;
    int GetAppListIcon(AppRecord* records, int count) override;
    int InstallApp(const char16_t* ipaPath) override;
    int UninstallApp(const char* appId) override;
    int BackupApp(const char* appId, const char* destinationPath, int withDocuments) override;
    int QueryAppBackup() override { return VEXA_E_UNSUPPORTED; }
    int GetInstallProgress() const override;

private:
    std::shared_ptr<UsbDevice> m_device;
    sim::PerThreadResults<> m_list;
    sim::PerThreadResults<> m_icons;
    std::atomic<int> m_installProgress{-1};
};

std::unique_ptr<IAppLibrary> CreateUsbAppLibrary(std::shared_ptr<UsbDevice> device);

} // namespace vexa::usb
