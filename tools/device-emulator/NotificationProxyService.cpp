#include "NotificationProxyService.h"

#include "PlistFraming.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

NotificationProxyService::NotificationProxyService(ServiceContext& context)
    : m_context(context) {}

void NotificationProxyService::Serve() {
    while (PlistPtr request = PlistFraming::Read(m_context.channel)) {
        if (Plist::String(request.get(), "Command") != "Shutdown")
            continue;
        PlistPtr reply(plist_new_dict());
        plist_dict_set_item(reply.get(), "Command", plist_new_string("ProxyDeath"));
        PlistFraming::Write(m_context.channel, reply.get());
        return;
    }
}

} // namespace vexa::emulator
