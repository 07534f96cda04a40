#include "SpringboardService.h"

#include <cstring>

#include "EmulatedDevice.h"
#include "PlistFraming.h"
#include "sim/content/SimAppLibrary.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

SpringboardService::SpringboardService(ServiceContext& context)
    : m_context(context) {}

void SpringboardService::Serve() {
    while (PlistPtr request = PlistFraming::Read(m_context.channel)) {
        const std::string command = Plist::String(request.get(), "command");
        PlistPtr reply(plist_new_dict());
        PlistPtr error(plist_new_dict());
        plist_dict_set_item(error.get(), "Error", plist_new_string("InternalFailure"));
        if (command == "getIconPNGData") {
            const std::string id = Plist::String(request.get(), "bundleId");
            AppRecord record{};
            std::strncpy(record.id, id.c_str(), sizeof record.id - 1);
            sim::SimAppLibrary library(m_context.device.SharedSim());
            if (library.GetAppListIcon(&record, 1) == VEXA_OK && record.icon)
                plist_dict_set_item(reply.get(), "pngData",
                                    plist_new_data(reinterpret_cast<const char*>(record.icon),
                                                   static_cast<uint64_t>(record.iconLength)));
            else
                plist_dict_set_item(reply.get(), "Error", plist_new_string("IconNotFound"));
        } else if (command == "getInterfaceOrientation") {
            plist_dict_set_item(reply.get(), "interfaceOrientation", plist_new_uint(1));
        } else {
            plist_dict_set_item(reply.get(), "Error", plist_new_string("UnknownCommand"));
        }
        if (!SendAnswer(m_context, PlistFraming::MakeAnswer(reply.get(), error.get(), true)))
            return;
    }
}

} // namespace vexa::emulator
