#pragma once

#include "ServiceContext.h"

namespace vexa::emulator {

// com.apple.mobile.notification_proxy: takes notifications to post or observe, none of which the
// simulated device sends back, and says goodbye with "ProxyDeath" on Shutdown.
class NotificationProxyService {
public:
    explicit NotificationProxyService(ServiceContext& context);
    void Serve();

private:
    ServiceContext& m_context;
};

} // namespace vexa::emulator
