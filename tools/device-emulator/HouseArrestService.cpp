#include "HouseArrestService.h"

#include <filesystem>

#include "AfcService.h"
#include "EmulatedDevice.h"
#include "PlistFraming.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

namespace fs = std::filesystem;
using formats::Plist;
using formats::PlistPtr;

namespace {

// A bundle identifier names one folder below Applications/ and nothing else.
bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.front() != '.';
}

} // namespace

HouseArrestService::HouseArrestService(ServiceContext& context)
    : m_context(context) {}

void HouseArrestService::Serve() {
    PlistPtr request = PlistFraming::Read(m_context.channel);
    if (!request)
        return;
    const std::string command = Plist::String(request.get(), "Command");
    const std::string id = Plist::String(request.get(), "Identifier");
    const fs::path container = m_context.device.Sim().ApplicationsRoot() / id;
    std::error_code error;
    PlistPtr reply(plist_new_dict());
    const bool known = isPlainName(id) && fs::is_directory(container, error);
    if (command != "VendContainer" && command != "VendDocuments")
        plist_dict_set_item(reply.get(), "Error", plist_new_string("UnknownCommand"));
    else if (!known)
        plist_dict_set_item(reply.get(), "Error", plist_new_string("ApplicationLookupFailed"));
    else
        plist_dict_set_item(reply.get(), "Status", plist_new_string("Complete"));
    PlistPtr failure(plist_new_dict());
    plist_dict_set_item(failure.get(), "Error", plist_new_string("InternalFailure"));
    if (!SendAnswer(m_context, PlistFraming::MakeAnswer(reply.get(), failure.get())) ||
        plist_dict_get_item(reply.get(), "Error"))
        return;
    AfcService(m_context, container).Serve();
}

} // namespace vexa::emulator
