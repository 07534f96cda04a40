#include "LockdownService.h"

#include <set>

#include <QUuid>

#include "EmulatedDevice.h"
#include "Emulator.h"
#include "LockdownValues.h"
#include "PlistFraming.h"
#include "WireChannel.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

namespace {

const std::set<std::string> kServices = {
    "com.apple.afc",           "com.apple.mobile.installation_proxy", "com.apple.springboardservices",
    "com.apple.mobilebackup2", "com.apple.mobile.notification_proxy", "com.apple.mobile.house_arrest",
};

PlistPtr withError(plist_t reply, const char* error) {
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "Error", plist_new_string(error));
    return answer;
}

std::string newId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

} // namespace

LockdownService::LockdownService(ServiceContext& context)
    : m_context(context) {}

void LockdownService::Serve() {
    while (PlistPtr request = PlistFraming::Read(m_context.channel)) {
        const std::string verb = Plist::String(request.get(), "Request");
        PlistPtr reply = handle(verb, request.get());
        PlistPtr error(plist_new_dict());
        plist_dict_set_item(error.get(), "Request", plist_new_string(verb.c_str()));
        plist_dict_set_item(error.get(), "Error", plist_new_string("InternalError"));
        if (!SendAnswer(m_context, PlistFraming::MakeAnswer(reply.get(), error.get())))
            return;
        if (!afterAnswer(verb, reply.get()))
            return;
    }
}

PlistPtr LockdownService::handle(const std::string& verb, plist_t request) {
    PlistPtr reply(plist_new_dict());
    plist_dict_set_item(reply.get(), "Request", plist_new_string(verb.c_str()));
    if (verb == "QueryType") {
        plist_dict_set_item(reply.get(), "Type", plist_new_string("com.apple.mobile.lockdown"));
        return reply;
    }
    if (verb == "GetValue")
        return getValue(request, reply.get());
    if (verb == "SetValue")
        return setValue(request, reply.get());
    if (verb == "Pair")
        return pair(request, reply.get());
    if (verb == "ValidatePair")
        return validatePair(request, reply.get());
    if (verb == "Unpair")
        return unpair(request, reply.get());
    if (verb == "StartSession")
        return startSession(request, reply.get());
    if (verb == "StopSession") {
        if (m_sessionId.empty() || Plist::String(request, "SessionID") != m_sessionId)
            return withError(reply.get(), "InvalidSessionID");
        plist_dict_set_item(reply.get(), "Result", plist_new_string("Success"));
        return reply;
    }
    if (verb == "StartService")
        return startService(request, reply.get());
    if (verb == "Goodbye") {
        plist_dict_set_item(reply.get(), "Result", plist_new_string("Success"));
        return reply;
    }
    return withError(reply.get(), "InvalidRequest");
}

PlistPtr LockdownService::getValue(plist_t request, plist_t reply) {
    const std::string domain = Plist::String(request, "Domain");
    const std::string key = Plist::String(request, "Key");
    PlistPtr answer(plist_copy(reply));
    if (!domain.empty())
        plist_dict_set_item(answer.get(), "Domain", plist_new_string(domain.c_str()));
    if (!key.empty())
        plist_dict_set_item(answer.get(), "Key", plist_new_string(key.c_str()));
    PlistPtr value = LockdownValues::Get(m_context.device, domain, key);
    if (!value)
        return withError(answer.get(), "MissingValue");
    plist_dict_set_item(answer.get(), "Value", value.release());
    return answer;
}

PlistPtr LockdownService::setValue(plist_t request, plist_t reply) {
    const std::string domain = Plist::String(request, "Domain");
    const std::string key = Plist::String(request, "Key");
    if (!LockdownValues::Set(m_context.device, domain, key, plist_dict_get_item(request, "Value")))
        return withError(reply, "SetProhibited");
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "Result", plist_new_string("Success"));
    return answer;
}

PlistPtr LockdownService::pair(plist_t request, plist_t reply) {
    plist_t record = Plist::Item(request, "PairRecord", PLIST_DICT);
    if (!record)
        return withError(reply, "InvalidPairRecord");
    switch (m_context.emulator.Trust()) {
    case TrustMode::Pending:
        return withError(reply, "PairingDialogResponsePending");
    case TrustMode::Denying:
        return withError(reply, "UserDeniedPairing");
    case TrustMode::Trusting:
        break;
    }
    std::vector<uint8_t> escrowBag;
    if (!m_context.device.Identity().AddHost(record, escrowBag))
        return withError(reply, "InvalidPairRecord");
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "EscrowBag",
                        plist_new_data(reinterpret_cast<const char*>(escrowBag.data()), escrowBag.size()));
    return answer;
}

PlistPtr LockdownService::validatePair(plist_t request, plist_t reply) {
    plist_t record = Plist::Item(request, "PairRecord", PLIST_DICT);
    if (!record || !m_context.device.Identity().HasHost(Plist::String(record, "HostID")))
        return withError(reply, "InvalidHostID");
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "Result", plist_new_string("Success"));
    return answer;
}

PlistPtr LockdownService::unpair(plist_t request, plist_t reply) {
    plist_t record = Plist::Item(request, "PairRecord", PLIST_DICT);
    if (!record || !m_context.device.Identity().RemoveHost(Plist::String(record, "HostID")))
        return withError(reply, "InvalidHostID");
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "Result", plist_new_string("Success"));
    return answer;
}

PlistPtr LockdownService::startSession(plist_t request, plist_t reply) {
    if (!m_sessionId.empty())
        return withError(reply, "SessionActive");
    const std::string hostId = Plist::String(request, "HostID");
    if (!m_context.device.Identity().HasHost(hostId))
        return withError(reply, "InvalidHostID");
    m_hostId = hostId;
    m_sessionId = newId();
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "SessionID", plist_new_string(m_sessionId.c_str()));
    plist_dict_set_item(answer.get(), "EnableSessionSSL", plist_new_bool(1));
    return answer;
}

PlistPtr LockdownService::startService(plist_t request, plist_t reply) {
    const std::string service = Plist::String(request, "Service");
    if (m_sessionId.empty())
        return withError(reply, "SessionInactive");
    if (!kServices.count(service))
        return withError(reply, "InvalidService");
    PlistPtr answer(plist_copy(reply));
    plist_dict_set_item(answer.get(), "Service", plist_new_string(service.c_str()));
    const bool tls = m_context.emulator.ServiceTls();
    const uint16_t port = m_context.device.OpenServicePort({service, m_hostId, tls});
    plist_dict_set_item(answer.get(), "Port", plist_new_uint(port));
    plist_dict_set_item(answer.get(), "EnableServiceSSL", plist_new_bool(tls ? 1 : 0));
    return answer;
}

bool LockdownService::afterAnswer(const std::string& verb, plist_t reply) {
    if (plist_dict_get_item(reply, "Error"))
        return true;
    if (verb == "StartSession") {
        const SslContextPtr tls = m_context.device.Identity().TlsContextFor(m_hostId);
        return tls && m_context.channel.StartTls(tls.get());
    }
    if (verb == "StopSession") {
        m_sessionId.clear();
        m_hostId.clear();
        m_context.channel.StopTls();
    }
    return true;
}

} // namespace vexa::emulator
