#pragma once

#include <string>

#include "ServiceContext.h"
#include "formats/Plist.h"

namespace vexa::emulator {

// com.apple.mobile.installation_proxy: lists the simulated device's apps (Browse, Lookup), installs an
// .ipa uploaded to PublicStaging with progress messages, and uninstalls. Each command's answers end
// with a "Complete" status or an error.
class InstallationProxyService {
public:
    explicit InstallationProxyService(ServiceContext& context);
    void Serve();

private:
    // False when the connection has ended.
    bool send(plist_t message);
    bool sendError(const std::string& error, const std::string& description);
    bool sendStatus(const char* status, int percent);
    bool browse(plist_t options);
    bool lookup(plist_t options);
    bool install(plist_t request);
    bool uninstall(plist_t request);
    // The app list as dictionaries with the requested attributes; false when the device refused.
    bool apps(plist_t options, formats::PlistPtr& list);

    ServiceContext& m_context;
};

} // namespace vexa::emulator
