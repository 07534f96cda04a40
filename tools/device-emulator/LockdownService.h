#pragma once

#include <string>

#include "ServiceContext.h"
#include "formats/Plist.h"

namespace vexa::emulator {

// lockdownd on port 62078: identity and values, pairing with the host's certificates, the TLS session
// and the start of the other services.
class LockdownService {
public:
    explicit LockdownService(ServiceContext& context);
    void Serve();

private:
    formats::PlistPtr handle(const std::string& verb, plist_t request);
    formats::PlistPtr getValue(plist_t request, plist_t reply);
    formats::PlistPtr setValue(plist_t request, plist_t reply);
    formats::PlistPtr pair(plist_t request, plist_t reply);
    formats::PlistPtr validatePair(plist_t request, plist_t reply);
    formats::PlistPtr unpair(plist_t request, plist_t reply);
    formats::PlistPtr startSession(plist_t request, plist_t reply);
    formats::PlistPtr startService(plist_t request, plist_t reply);
    // Runs after the answer has gone: TLS starts or stops at that point of the conversation.
    bool afterAnswer(const std::string& verb, plist_t reply);

    ServiceContext& m_context;
    std::string m_hostId;    // the host of the running session
    std::string m_sessionId; // empty: no session
};

} // namespace vexa::emulator
