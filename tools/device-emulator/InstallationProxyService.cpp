#include "InstallationProxyService.h"

#include <cstring>

#include <QString>

#include "EmulatedDevice.h"
#include "PlistFraming.h"
#include "sim/SimDevice.h"
#include "sim/content/SimAppLibrary.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

namespace {

std::string field(const char* text, size_t size) {
    return std::string(text, strnlen(text, size));
}

void setString(plist_t dict, const char* key, const std::string& value) {
    plist_dict_set_item(dict, key, plist_new_string(value.c_str()));
}

plist_t appDictionary(const AppRecord& record, const std::string& container) {
    plist_t app = plist_new_dict();
    const std::string id = field(record.id, sizeof record.id);
    const std::string name = field(record.name, sizeof record.name);
    const std::string version = field(record.version, sizeof record.version);
    setString(app, "CFBundleIdentifier", id);
    setString(app, "CFBundleDisplayName", name);
    setString(app, "CFBundleName", name);
    setString(app, "CFBundleExecutable", name);
    setString(app, "CFBundleShortVersionString", version);
    setString(app, "CFBundleVersion", version);
    setString(app, "ApplicationType", "User");
    setString(app, "Container", container);
    setString(app, "Path", container + "/" + name + ".app");
    plist_dict_set_item(app, "StaticDiskUsage", plist_new_uint(static_cast<uint64_t>(record.appSize)));
    const int64_t dynamic = static_cast<int64_t>(record.fileSize) - record.appSize;
    plist_dict_set_item(app, "DynamicDiskUsage",
                        plist_new_uint(dynamic > 0 ? static_cast<uint64_t>(dynamic) : 0));
    plist_dict_set_item(app, "UIFileSharingEnabled", plist_new_bool(1));
    return app;
}

// Apps that come with iOS: the proxy lists them as "System" and never removes them.
struct SystemApp {
    const char* id;
    const char* name;
    const char* bundle; // the folder under /Applications
    bool phoneOnly;
};
constexpr SystemApp kSystemApps[] = {
    {"com.apple.mobilesafari", "Safari", "MobileSafari.app", false},
    {"com.apple.mobileslideshow", "Photos", "MobileSlideShow.app", false},
    {"com.apple.camera", "Camera", "Camera.app", false},
    {"com.apple.Preferences", "Settings", "Preferences.app", false},
    {"com.apple.mobilemail", "Mail", "MobileMail.app", false},
    {"com.apple.AppStore", "App Store", "AppStore.app", false},
    {"com.apple.mobilephone", "Phone", "MobilePhone.app", true},
    {"com.apple.MobileSMS", "Messages", "MobileSMS.app", false},
};

plist_t systemAppDictionary(const SystemApp& system, const std::string& iosVersion) {
    plist_t app = plist_new_dict();
    setString(app, "CFBundleIdentifier", system.id);
    setString(app, "CFBundleDisplayName", system.name);
    setString(app, "CFBundleName", system.name);
    setString(app, "CFBundleExecutable",
              std::string(system.bundle).substr(0, std::strlen(system.bundle) - 4));
    setString(app, "CFBundleShortVersionString", iosVersion);
    setString(app, "CFBundleVersion", iosVersion);
    setString(app, "ApplicationType", "System");
    setString(app, "Path", std::string("/Applications/") + system.bundle);
    plist_dict_set_item(app, "StaticDiskUsage", plist_new_uint(0));
    plist_dict_set_item(app, "DynamicDiskUsage", plist_new_uint(0));
    return app;
}

// Keeps only the attributes the client asked for; all of them when it named none.
void keepAttributes(plist_t app, plist_t wanted) {
    if (!wanted || plist_get_node_type(wanted) != PLIST_ARRAY || plist_array_get_size(wanted) == 0)
        return;
    PlistPtr copy(plist_copy(app));
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(copy.get(), &it);
    char* key = nullptr;
    plist_t value = nullptr;
    for (plist_dict_next_item(copy.get(), it, &key, &value); key;
         plist_dict_next_item(copy.get(), it, &key, &value)) {
        bool asked = false;
        for (uint32_t i = 0; i < plist_array_get_size(wanted) && !asked; ++i)
            asked = Plist::StringValue(plist_array_get_item(wanted, i)) == key;
        if (!asked)
            plist_dict_remove_item(app, key);
        free(key);
        key = nullptr;
    }
    free(it);
}

const char* errorName(int code) {
    switch (code) {
    case VEXA_APP_OS_TOO_OLD:
        return "DeviceOSVersionTooLow";
    case VEXA_APP_INSTALL_ERROR:
        return "PackageInspectionFailed";
    case VEXA_APP_PUT_FILE_ERROR:
        return "PackageExtractionFailed";
    case VEXA_APP_UNINSTALL_FAILED:
        return "ApplicationNotInstalled";
    default:
        return "APIInternalError";
    }
}

} // namespace

InstallationProxyService::InstallationProxyService(ServiceContext& context)
    : m_context(context) {}

void InstallationProxyService::Serve() {
    while (PlistPtr request = PlistFraming::Read(m_context.channel)) {
        const std::string command = Plist::String(request.get(), "Command");
        plist_t options = Plist::Item(request.get(), "ClientOptions", PLIST_DICT);
        bool open = true;
        if (command == "Browse")
            open = browse(options);
        else if (command == "Lookup")
            open = lookup(options);
        else if (command == "Install" || command == "Upgrade")
            open = install(request.get());
        else if (command == "Uninstall")
            open = uninstall(request.get());
        else
            open = sendError("UnknownCommand", "The command " + command + " is not known.");
        if (!open)
            return;
    }
}

bool InstallationProxyService::send(plist_t message) {
    PlistPtr error(plist_new_dict());
    setString(error.get(), "Error", "InternalFailure");
    setString(error.get(), "ErrorDescription", "The service failed unexpectedly.");
    setString(error.get(), "Status", "Complete");
    return SendAnswer(m_context, PlistFraming::MakeAnswer(message, error.get()));
}

bool InstallationProxyService::sendError(const std::string& error, const std::string& description) {
    PlistPtr message(plist_new_dict());
    setString(message.get(), "Error", error);
    setString(message.get(), "ErrorDescription", description);
    setString(message.get(), "Status", "Complete");
    return send(message.get());
}

bool InstallationProxyService::sendStatus(const char* status, int percent) {
    PlistPtr message(plist_new_dict());
    setString(message.get(), "Status", status);
    if (percent >= 0)
        plist_dict_set_item(message.get(), "PercentComplete", plist_new_uint(static_cast<uint64_t>(percent)));
    // A device that answered with an error does not go on with the command.
    m_context.endedByError = false;
    return send(message.get()) && !m_context.endedByError;
}

bool InstallationProxyService::apps(plist_t options, PlistPtr& list) {
    list.reset(plist_new_array());
    // "User", "System", "Internal" or "Any"; no type is any type.
    std::string type = options ? Plist::String(options, "ApplicationType") : std::string();
    if (type.empty())
        type = "Any";
    plist_t wanted = options ? plist_dict_get_item(options, "ReturnAttributes") : nullptr;
    if (type == "System" || type == "Any") {
        const auto info = m_context.device.Sim().Info();
        const auto property = [&info](const char* key) {
            auto it = info.profile.properties.find(key);
            return it == info.profile.properties.end() ? std::string() : it->second;
        };
        const bool phone = property("DeviceClass") == "iPhone";
        for (const SystemApp& system : kSystemApps) {
            if (system.phoneOnly && !phone)
                continue;
            plist_t app = systemAppDictionary(system, property("ProductVersion"));
            keepAttributes(app, wanted);
            plist_array_append_item(list.get(), app);
        }
    }
    // Every simulated app is one the user installed.
    if (type != "User" && type != "Any")
        return true;
    sim::SimAppLibrary library(m_context.device.SharedSim());
    AppRecord* records = nullptr;
    int count = 0;
    if (library.GetApplistInfo(&records, &count) != VEXA_OK)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::string id = field(records[i].id, sizeof records[i].id);
        const std::string container = "/private/var/mobile/Containers/Data/Application/" + id;
        plist_t app = appDictionary(records[i], container);
        keepAttributes(app, wanted);
        plist_array_append_item(list.get(), app);
    }
    return true;
}

bool InstallationProxyService::browse(plist_t options) {
    PlistPtr list;
    if (!apps(options, list))
        return sendError("APIInternalError", "The app list could not be read.");
    const uint32_t total = plist_array_get_size(list.get());
    PlistPtr message(plist_new_dict());
    plist_dict_set_item(message.get(), "CurrentAmount", plist_new_uint(total));
    plist_dict_set_item(message.get(), "CurrentIndex", plist_new_uint(0));
    plist_dict_set_item(message.get(), "Total", plist_new_uint(total));
    plist_dict_set_item(message.get(), "CurrentList", list.release());
    setString(message.get(), "Status", "BrowsingApplications");
    return send(message.get()) && sendStatus("Complete", -1);
}

bool InstallationProxyService::lookup(plist_t options) {
    PlistPtr list;
    if (!apps(options, list))
        return sendError("APIInternalError", "The app list could not be read.");
    plist_t wantedIds = options ? Plist::Item(options, "BundleIDs", PLIST_ARRAY) : nullptr;
    PlistPtr result(plist_new_dict());
    for (uint32_t i = 0; i < plist_array_get_size(list.get()); ++i) {
        plist_t app = plist_array_get_item(list.get(), i);
        const std::string id = Plist::String(app, "CFBundleIdentifier");
        bool asked = !wantedIds;
        for (uint32_t j = 0; wantedIds && j < plist_array_get_size(wantedIds) && !asked; ++j)
            asked = Plist::StringValue(plist_array_get_item(wantedIds, j)) == id;
        if (asked)
            plist_dict_set_item(result.get(), id.c_str(), plist_copy(app));
    }
    PlistPtr message(plist_new_dict());
    plist_dict_set_item(message.get(), "LookupResult", result.release());
    setString(message.get(), "Status", "Complete");
    return send(message.get());
}

bool InstallationProxyService::install(plist_t request) {
    const auto package = m_context.device.Sim().ResolveDevicePath(Plist::String(request, "PackagePath"));
    if (!package)
        return sendError("PackageExtractionFailed", "The package path leaves the device's media folder.");
    static const std::pair<const char*, int> kBefore[] = {
        {"CreatingStagingDirectory", 5}, {"ExtractingPackage", 15},    {"InspectingPackage", 20},
        {"PreflightingApplication", 30}, {"VerifyingApplication", 40}, {"CreatingContainer", 50}};
    for (const auto& [status, percent] : kBefore) {
        if (!sendStatus(status, percent))
            return false;
    }
    sim::SimAppLibrary library(m_context.device.SharedSim());
    const std::u16string path = QString::fromStdString(package->string()).toStdU16String();
    const int code = library.InstallApp(path.c_str());
    if (code != VEXA_OK)
        return sendError(errorName(code),
                         "The package could not be installed (error " + std::to_string(code) + ").");
    static const std::pair<const char*, int> kAfter[] = {{"InstallingApplication", 60},
                                                         {"PostflightingApplication", 70},
                                                         {"SandboxingApplication", 80},
                                                         {"GeneratingApplicationMap", 90}};
    for (const auto& [status, percent] : kAfter) {
        if (!sendStatus(status, percent))
            return false;
    }
    return sendStatus("Complete", -1);
}

bool InstallationProxyService::uninstall(plist_t request) {
    const std::string id = Plist::String(request, "ApplicationIdentifier");
    if (!sendStatus("RemovingApplication", 50))
        return false;
    sim::SimAppLibrary library(m_context.device.SharedSim());
    const int code = library.UninstallApp(id.c_str());
    if (code != VEXA_OK)
        return sendError(errorName(code),
                         "The app " + id + " could not be removed (error " + std::to_string(code) + ").");
    return sendStatus("GeneratingApplicationMap", 90) && sendStatus("Complete", -1);
}

} // namespace vexa::emulator
