#include "SimCtl.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>

#include <vexa/VexaResult.h>

#include "sim/ContentServices.h"
#include "sim/DeviceProfile.h"
#include "sim/SimDevice.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

// "--name value" options after the positional arguments.
class Options {
public:
    Options(const std::vector<std::string>& arguments, size_t positional) {
        for (size_t i = 0; i < arguments.size(); ++i) {
            if (i < positional) {
                m_positional.push_back(arguments[i]);
            } else if (arguments[i].rfind("--", 0) == 0 && i + 1 < arguments.size()) {
                m_values[arguments[i].substr(2)] = arguments[i + 1];
                ++i;
            } else {
                m_bad = arguments[i];
            }
        }
    }
    const std::string& Bad() const { return m_bad; }
    size_t PositionalCount() const { return m_positional.size(); }
    const std::string& Positional(size_t i) const { return m_positional[i]; }
    std::string Text(const std::string& key, const std::string& fallback = {}) const {
        auto it = m_values.find(key);
        return it == m_values.end() ? fallback : it->second;
    }
    bool Has(const std::string& key) const { return m_values.count(key) != 0; }
    // Nothing when given but not a whole non-negative number.
    std::optional<int> Number(const std::string& key) const {
        auto it = m_values.find(key);
        if (it == m_values.end()) {
            return 0;
        }
        try {
            size_t used = 0;
            const int value = std::stoi(it->second, &used);
            if (used == it->second.size() && value >= 0) {
                return value;
            }
        } catch (...) {
        }
        return std::nullopt;
    }
    std::vector<std::string> Unknown(const std::vector<std::string>& known) const {
        std::vector<std::string> unknown;
        for (const auto& [key, value] : m_values) {
            if (std::find(known.begin(), known.end(), key) == known.end()) {
                unknown.push_back(key);
            }
        }
        return unknown;
    }

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_values;
    std::string m_bad;
};

int usage(const std::string& message) {
    std::fprintf(stderr, "vexa-simctl: %s (see --help)\n", message.c_str());
    return kUsageError;
}

int failed(const std::string& what, int code) {
    std::fprintf(stderr, "vexa-simctl: %s failed (error %d)\n", what.c_str(), code);
    return kFailure;
}

bool checkOptions(const Options& options, size_t positional, const std::vector<std::string>& known,
                  std::string& problem) {
    if (!options.Bad().empty()) {
        problem = "unexpected argument \"" + options.Bad() + "\"";
    } else if (options.PositionalCount() != positional) {
        problem = "wrong number of arguments";
    } else if (auto unknown = options.Unknown(known); !unknown.empty()) {
        problem = "unknown option --" + unknown.front();
    }
    return problem.empty();
}

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

SimCtl::SimCtl(fs::path root)
    : m_root(std::move(root)) {}

void SimCtl::PrintHelp() {
    std::puts(
        "Usage: vexa-simctl [--root DIR] COMMAND [ARGUMENTS]\n"
        "Drives the simulated devices of the device library. The root defaults to $VEXA_SIM_ROOT, else\n"
        "$XDG_DATA_HOME/vexa-transfer/simulator. A running program sees every change within half a second.\n"
        "\n"
        "  create-demo [--udid U] [--name N] [--ios 12|15|17]\n"
        "                                      make the demo device (default name \"Demo iPhone\");\n"
        "                                      prints the new UDID as the last line\n"
        "  create --udid U --name N --product-type T [--ios 12|15|17] [--contacts N] [--messages N]\n"
        "         [--photos N] [--songs N] [--videos N] [--apps N] [--books N]\n"
        "                                      make a device with that much generated content; --ios\n"
        "                                      chooses the release whose file layouts it has (default 17)\n"
        "  list                                one line per device: UDID, name, product type,\n"
        "                                      plugged|unplugged, usb|wifi (tab-separated)\n"
        "  plug U | unplug U                   connect or disconnect the device's cable\n"
        "  wifi U on|off                       attach the device over Wi-Fi instead of USB, or back\n"
        "  stats U                             the device's content counts as one JSON object (contacts,\n"
        "                                      groups, conversations, messages, books, songs, playlists,\n"
        "                                      videos, photos, albums, apps, files)\n"
        "  fault U OPERATION CODE [--delay-ms N] [--after N]\n"
        "                                      make OPERATION (e.g. GetContacts, or * for all) answer CODE\n"
        "                                      after N calls that succeed, waiting N ms first; CODE\n"
        "                                      \"unplug\" unplugs the device during the call\n"
        "  clear-faults U                      remove every planned fault of the device\n"
        "  backup-password U [PASSWORD]        encrypt the device's backups with PASSWORD (none: stop)\n"
        "    [--sha256-rounds N] [--sha1-rounds N]  rounds of the password key (default: the device's own)\n"
        "\n"
        "Exit status: 0 done, 1 failed, 2 wrong usage.");
}

int SimCtl::Run(const std::string& command, const std::vector<std::string>& arguments) {
    if (command == "create-demo") {
        return createDemo(arguments);
    }
    if (command == "create") {
        return create(arguments);
    }
    if (command == "list") {
        return arguments.empty() ? list() : usage("list takes no arguments");
    }
    if (command == "plug" || command == "unplug") {
        return plug(arguments, command == "plug");
    }
    if (command == "wifi") {
        return wifi(arguments);
    }
    if (command == "stats") {
        return stats(arguments);
    }
    if (command == "fault") {
        return fault(arguments);
    }
    if (command == "clear-faults") {
        return clearFaults(arguments);
    }
    if (command == "backup-password") {
        return backupPassword(arguments);
    }
    return usage("unknown command \"" + command + "\"");
}

bool SimCtl::findDevice(const std::string& udid) const {
    if (udid.empty() || udid.find('/') != std::string::npos || udid.front() == '.' ||
        !SimDevice::IsDeviceFolder(m_root / udid)) {
        std::fprintf(stderr, "vexa-simctl: no device \"%s\" in %s\n", udid.c_str(), m_root.c_str());
        return false;
    }
    return true;
}

// --ios: the iOS release whose file layouts a new device has.
static bool iosRelease(const Options& options, int& release) {
    if (!options.Has("ios")) {
        return true;
    }
    const auto value = options.Number("ios");
    if (!value || (*value != 12 && *value != 15 && *value != 17)) {
        return false;
    }
    release = *value;
    return true;
}

int SimCtl::createDemo(const std::vector<std::string>& arguments) {
    Options options(arguments, 0);
    std::string problem;
    if (!checkOptions(options, 0, {"udid", "name", "ios"}, problem)) {
        return usage(problem);
    }
    const std::string udid = options.Text("udid", NewUdid());
    const std::string name = options.Text("name", "Demo iPhone");
    int release = 17;
    if (!iosRelease(options, release)) {
        return usage("--ios needs 12, 15 or 17");
    }
    std::error_code error;
    fs::create_directories(m_root, error);
    if (const int result = GenerateDemoDevice(m_root, udid, name, release); result != VEXA_OK) {
        return failed("create-demo", result);
    }
    std::puts(udid.c_str());
    return 0;
}

int SimCtl::create(const std::vector<std::string>& arguments) {
    Options options(arguments, 0);
    std::string problem;
    const std::vector<std::string> known{"udid",   "name",  "product-type", "ios",  "contacts", "messages",
                                         "photos", "songs", "videos",       "apps", "books"};
    if (!checkOptions(options, 0, known, problem)) {
        return usage(problem);
    }
    if (!options.Has("udid") || !options.Has("name") || !options.Has("product-type")) {
        return usage("create needs --udid, --name and --product-type");
    }
    LargeDeviceSpec spec;
    spec.udid = options.Text("udid");
    spec.name = options.Text("name");
    spec.productType = options.Text("product-type");
    if (!iosRelease(options, spec.iosRelease)) {
        return usage("--ios needs 12, 15 or 17");
    }
    const std::pair<const char*, int*> counts[] = {
        {"contacts", &spec.contacts}, {"messages", &spec.messages}, {"photos", &spec.photos},
        {"songs", &spec.songs},       {"videos", &spec.videos},     {"apps", &spec.apps},
        {"books", &spec.books},
    };
    for (const auto& [key, target] : counts) {
        const auto value = options.Number(key);
        if (!value) {
            return usage(std::string("--") + key + " needs a whole number of at least 0");
        }
        *target = *value;
    }
    std::error_code error;
    fs::create_directories(m_root, error);
    if (const int result = GenerateLargeDevice(m_root, spec); result != VEXA_OK) {
        return failed("create", result);
    }
    std::puts(spec.udid.c_str());
    return 0;
}

int SimCtl::list() {
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator it(m_root, error), end; !error && it != end; it.increment(error)) {
        if (SimDevice::IsDeviceFolder(it->path())) {
            folders.push_back(it->path());
        }
    }
    std::sort(folders.begin(), folders.end());
    for (const auto& folder : folders) {
        SimDevice device(folder);
        const DeviceInfoFile info = device.Info();
        const DeviceState state = device.State();
        auto property = [&info](const char* key) {
            auto it = info.profile.properties.find(key);
            return it == info.profile.properties.end() ? std::string() : it->second;
        };
        std::printf("%s\t%s\t%s\t%s\t%s\n", device.Udid().c_str(), property("DeviceName").c_str(),
                    property("ProductType").c_str(), state.plugged ? "plugged" : "unplugged",
                    state.wifi ? "wifi" : "usb");
    }
    return 0;
}

int SimCtl::plug(const std::vector<std::string>& arguments, bool plugged) {
    if (arguments.size() != 1) {
        return usage("plug and unplug take one UDID");
    }
    if (!findDevice(arguments[0])) {
        return kFailure;
    }
    SimDevice device(m_root / arguments[0]);
    DeviceState state = device.State();
    state.plugged = plugged;
    const int result = device.SetState(state);
    return result == VEXA_OK ? 0 : failed(plugged ? "plug" : "unplug", result);
}

int SimCtl::wifi(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || (arguments[1] != "on" && arguments[1] != "off")) {
        return usage("wifi takes a UDID and on or off");
    }
    if (!findDevice(arguments[0])) {
        return kFailure;
    }
    SimDevice device(m_root / arguments[0]);
    DeviceState state = device.State();
    state.wifi = arguments[1] == "on";
    const int result = device.SetState(state);
    return result == VEXA_OK ? 0 : failed("wifi", result);
}

int SimCtl::stats(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return usage("stats takes one UDID");
    }
    if (!findDevice(arguments[0])) {
        return kFailure;
    }
    SimDevice device(m_root / arguments[0]);
    ContentCounts counts;
    if (const int result = CountContent(device, counts); result != VEXA_OK) {
        return failed("stats", result);
    }
    int64_t files = 0;
    std::error_code error;
    fs::recursive_directory_iterator it(device.MediaRoot(), error);
    for (fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        files += it->is_regular_file(kindError) && !it->is_symlink(kindError) ? 1 : 0;
    }
    std::printf(
        "{\"udid\": %s, \"contacts\": %lld, \"groups\": %lld, \"conversations\": %lld, "
        "\"messages\": %lld, \"books\": %lld, \"songs\": %lld, \"playlists\": %lld, \"videos\": %lld, "
        "\"photos\": %lld, \"albums\": %lld, \"apps\": %lld, \"files\": %lld}\n",
        jsonText(device.Udid()).c_str(), (long long)counts.contacts, (long long)counts.groups,
        (long long)counts.conversations, (long long)counts.messages, (long long)counts.books,
        (long long)counts.songs, (long long)counts.playlists, (long long)counts.videos,
        (long long)counts.photos, (long long)counts.albums, (long long)counts.apps, (long long)files);
    return 0;
}

int SimCtl::fault(const std::vector<std::string>& arguments) {
    Options options(arguments, 3);
    std::string problem;
    if (!checkOptions(options, 3, {"delay-ms", "after"}, problem)) {
        return usage(problem);
    }
    if (!findDevice(options.Positional(0))) {
        return kFailure;
    }
    const std::string& operation = options.Positional(1);
    const auto delay = options.Number("delay-ms");
    const auto after = options.Number("after");
    if (!delay || !after) {
        return usage("--delay-ms and --after need whole numbers of at least 0");
    }
    FaultSpec spec;
    const std::string line =
        operation + " " + options.Positional(2) + " " + std::to_string(*delay) + " " + std::to_string(*after);
    if (operation.find_first_of(" \t\n") != std::string::npos || !FaultInjector::Parse(line, spec)) {
        return usage("CODE must be a number or \"unplug\"");
    }
    const int result = FaultInjector::Add(m_root / options.Positional(0) / "faults", spec);
    return result == VEXA_OK ? 0 : failed("fault", result);
}

int SimCtl::clearFaults(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return usage("clear-faults takes one UDID");
    }
    if (!findDevice(arguments[0])) {
        return kFailure;
    }
    const int result = FaultInjector::Clear(m_root / arguments[0] / "faults");
    return result == VEXA_OK ? 0 : failed("clear-faults", result);
}

int SimCtl::backupPassword(const std::vector<std::string>& arguments) {
    const size_t positional = arguments.size() >= 2 && arguments[1].rfind("--", 0) != 0 ? 2 : 1;
    Options options(arguments, positional);
    std::string problem;
    if (arguments.empty() || !checkOptions(options, positional, {"sha256-rounds", "sha1-rounds"}, problem)) {
        return usage("backup-password takes a UDID, an optional password and the rounds");
    }
    const std::optional<int> sha256Rounds = options.Number("sha256-rounds");
    const std::optional<int> sha1Rounds = options.Number("sha1-rounds");
    if (!sha256Rounds || !sha1Rounds) {
        return usage("the rounds are whole numbers");
    }
    if (!findDevice(arguments[0])) {
        return kFailure;
    }
    const std::string password = positional == 2 ? arguments[1] : std::string();
    SimDevice device(m_root / arguments[0]);
    const int result = device.UpdateInfo([&](DeviceInfoFile& info) {
        info.backupPassword = password;
        info.backupSha256Rounds = static_cast<uint32_t>(*sha256Rounds);
        info.backupSha1Rounds = static_cast<uint32_t>(*sha1Rounds);
    });
    return result == VEXA_OK ? 0 : failed("backup-password", result);
}

} // namespace vexa::sim
