#include "formats/IpaFile.h"

#include <algorithm>

#include <QtGlobal>

#include "Plist.h"
#include "ZipReader.h"
#include "ZipWriter.h"

namespace vexa::formats {

namespace {

constexpr char kIconName[] = "AppIcon60x60";
constexpr uint64_t kMaxPlistBytes = 4u << 20;
constexpr uint64_t kMaxIconBytes = 8u << 20;

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "Payload/Name.app/" of the bundle's Info.plist, or empty.
std::string BundleFolder(const std::vector<ZipReader::Entry>& entries) {
    for (const ZipReader::Entry& entry : entries) {
        const std::string& name = entry.name;
        if (name.rfind("Payload/", 0) != 0 || !EndsWith(name, ".app/Info.plist"))
            continue;
        const std::string folder = name.substr(0, name.size() - std::string("Info.plist").size());
        if (std::count(folder.begin(), folder.end(), '/') == 2)
            return folder;
    }
    return {};
}

void AddStrings(plist_t array, std::vector<std::string>& names) {
    if (!array || plist_get_node_type(array) != PLIST_ARRAY)
        return;
    for (uint32_t i = 0; i < plist_array_get_size(array); ++i) {
        plist_t item = plist_array_get_item(array, i);
        if (plist_get_node_type(item) == PLIST_STRING)
            names.push_back(Plist::StringValue(item));
    }
}

// Icon base names in the order the bundle declares them.
std::vector<std::string> IconNames(plist_t info) {
    std::vector<std::string> names;
    plist_t icons = Plist::Item(info, "CFBundleIcons", PLIST_DICT);
    AddStrings(
        Plist::Item(Plist::Item(icons, "CFBundlePrimaryIcon", PLIST_DICT), "CFBundleIconFiles", PLIST_ARRAY),
        names);
    AddStrings(Plist::Item(info, "CFBundleIconFiles", PLIST_ARRAY), names);
    if (const std::string single = Plist::String(info, "CFBundleIconFile"); !single.empty())
        names.push_back(single);
    names.push_back("AppIcon");
    names.push_back("Icon");
    for (std::string& name : names) {
        if (EndsWith(name, ".png"))
            name.resize(name.size() - 4);
    }
    return names;
}

// The largest PNG in the bundle folder whose name starts with a declared icon name (covers @2x, ~ipad).
std::string IconEntry(const ZipReader& zip, const std::string& folder, plist_t info) {
    for (const std::string& base : IconNames(info)) {
        const ZipReader::Entry* best = nullptr;
        for (const ZipReader::Entry& entry : zip.Entries()) {
            const std::string& name = entry.name;
            if (name.rfind(folder + base, 0) == 0 && EndsWith(name, ".png") &&
                name.find('/', folder.size()) == std::string::npos && (!best || entry.size > best->size))
                best = &entry;
        }
        if (best)
            return best->name;
    }
    return {};
}

bool ReadBundle(const std::filesystem::path& ipa, AppBundle& app) {
    ZipReader zip;
    if (!zip.Open(ipa))
        return false;
    const std::string folder = BundleFolder(zip.Entries());
    std::vector<uint8_t> data;
    if (folder.empty() || !zip.Read(folder + "Info.plist", data, kMaxPlistBytes))
        return false;
    const PlistPtr info = Plist::Parse(data);
    if (!info || plist_get_node_type(info.get()) != PLIST_DICT)
        return false;
    app.bundleId = Plist::String(info.get(), "CFBundleIdentifier");
    app.displayName = Plist::String(info.get(), "CFBundleDisplayName");
    if (app.displayName.empty())
        app.displayName = Plist::String(info.get(), "CFBundleName");
    app.version = Plist::String(info.get(), "CFBundleVersion");
    app.shortVersion = Plist::String(info.get(), "CFBundleShortVersionString");
    app.minimumOS = Plist::String(info.get(), "MinimumOSVersion");
    app.executable = Plist::String(info.get(), "CFBundleExecutable");
    if (const std::string icon = IconEntry(zip, folder, info.get()); !icon.empty())
        zip.Read(icon, app.iconPng, kMaxIconBytes);
    for (const ZipReader::Entry& entry : zip.Entries()) {
        if (entry.name.rfind("Payload/", 0) == 0)
            app.payloadBytes += entry.size;
    }
    return !app.bundleId.empty();
}

std::string ExecutableName(const AppBundle& app) {
    std::string name = app.executable;
    if (name.empty())
        name = app.bundleId.substr(app.bundleId.rfind('.') + 1);
    return name;
}

PlistPtr InfoPlist(const AppBundle& app, const std::string& executable) {
    PlistPtr info(plist_new_dict());
    Plist::SetString(info.get(), "CFBundleIdentifier", app.bundleId);
    Plist::SetString(info.get(), "CFBundleDisplayName", app.displayName);
    Plist::SetString(info.get(), "CFBundleName", app.displayName);
    Plist::SetString(info.get(), "CFBundleVersion", app.version);
    Plist::SetString(info.get(), "CFBundleShortVersionString", app.shortVersion);
    Plist::SetString(info.get(), "MinimumOSVersion", app.minimumOS);
    Plist::SetString(info.get(), "CFBundleExecutable", executable);
    Plist::SetString(info.get(), "CFBundlePackageType", "APPL");
    if (!app.iconPng.empty()) {
        plist_t files = plist_new_array();
        plist_array_append_item(files, plist_new_string(kIconName));
        plist_t primary = plist_new_dict();
        plist_dict_set_item(primary, "CFBundleIconFiles", files);
        plist_t icons = plist_new_dict();
        plist_dict_set_item(icons, "CFBundlePrimaryIcon", primary);
        plist_dict_set_item(info.get(), "CFBundleIcons", icons);
    }
    return info;
}

PlistPtr MetadataPlist(const AppBundle& app) {
    PlistPtr metadata(plist_new_dict());
    Plist::SetString(metadata.get(), "itemName", app.displayName);
    Plist::SetString(metadata.get(), "softwareVersionBundleId", app.bundleId);
    Plist::SetString(metadata.get(), "bundleVersion", app.version);
    Plist::SetString(metadata.get(), "bundleShortVersionString", app.shortVersion);
    return metadata;
}

// A 64-bit ARM Mach-O header with no load commands, padded with zeros to the requested size.
std::vector<uint8_t> ExecutableStub(uint64_t size) {
    std::vector<uint8_t> stub{0xCF, 0xFA, 0xED, 0xFE, 0x0C, 0x00, 0x00, 0x01, 0, 0, 0, 0, 0x02, 0, 0, 0};
    stub.resize(std::max<uint64_t>(32, size), 0);
    return stub;
}

bool WriteBundle(const std::filesystem::path& ipa, const AppBundle& app) {
    const std::string executable = ExecutableName(app);
    if (app.bundleId.empty() || !IsSafeRelativePath(executable) || executable.find('/') != std::string::npos)
        return false;
    const std::string folder = "Payload/" + executable + ".app/";
    const std::vector<uint8_t> info = Plist::ToBinary(InfoPlist(app, executable).get());
    const std::vector<uint8_t> metadata = Plist::ToXml(MetadataPlist(app).get());
    const uint64_t ownBytes = info.size() + app.iconPng.size();
    const uint64_t stubBytes = app.payloadBytes > ownBytes ? app.payloadBytes - ownBytes : 0;

    ZipWriter zip;
    bool written = zip.Open(ipa) && zip.Add(folder + "Info.plist", info) &&
                   zip.Add(folder + executable, ExecutableStub(stubBytes)) &&
                   zip.Add("iTunesMetadata.plist", metadata);
    if (written && !app.iconPng.empty())
        written = zip.Add(folder + kIconName + "@2x.png", app.iconPng, false);
    return written && zip.Close();
}

} // namespace

bool ReadIpa(const std::filesystem::path& ipa, AppBundle& app) {
    try {
        app = AppBundle{};
        return ReadBundle(ipa, app);
    } catch (const std::exception& error) {
        qWarning("ReadIpa: %s", error.what());
        return false;
    }
}

bool WriteIpa(const std::filesystem::path& ipa, const AppBundle& app) {
    try {
        return WriteBundle(ipa, app);
    } catch (const std::exception& error) {
        qWarning("WriteIpa: %s", error.what());
        return false;
    }
}

} // namespace vexa::formats
