#pragma once

#include <memory>
#include <vector>

#include <vexa/VexaServices.h>

#include "../ResultArena.h"
#include "AppStore.h"
#include "ContentAccess.h"

namespace vexa::sim {

// Installed applications of one simulated device.
class SimAppLibrary final : public IAppLibrary {
public:
    explicit SimAppLibrary(std::shared_ptr<SimDevice> device);

    int GetApplistInfo(AppRecord** records, int* count) override;
    int GetAppListIcon(AppRecord* records, int count) override;
    int InstallApp(const char16_t* ipaPath) override;
    int UninstallApp(const char* appId) override;
    int BackupApp(const char* appId, const char* destinationPath, int withDocuments) override;
    // The simulator archives apps; a fault planned for "QueryAppBackup" plays a device that does not.
    int QueryAppBackup() override;

private:
    struct AppList {
        std::vector<AppRecord> records;
        ResultArena icons;
    };
    template <class ChangeFunction> int Change(const char* operation, ChangeFunction&& change);

    ContentAccess m_access;
    PerThreadResults<AppList> m_lists;
    // Icons handed out for records the caller owns live as long as the service.
    std::mutex m_iconsMutex;
    ResultArena m_callerIcons;
};

} // namespace vexa::sim
