// vexa-device-emulator: serves simulated devices over the muxer protocol, as if they were plugged in.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Emulator.h"

namespace {

vexa::emulator::Emulator* g_emulator = nullptr;

void onStopSignal(int) {
    if (g_emulator)
        g_emulator->Stop();
}

void printHelp() {
    std::puts(
        "Usage: vexa-device-emulator --socket PATH [--root DIR] [--control PATH] [--state DIR]\n"
        "                            [--trust-pending] [--backup-mode legacy|modern] [--stdin]\n"
        "Serves every plugged simulated device under DIR (default $VEXA_SIM_ROOT) through a muxer socket\n"
        "at PATH; clients find it with USBMUXD_SOCKET_ADDRESS=UNIX:PATH. Pair records and the system\n"
        "BUID are kept in --state (default PATH.state). SIGTERM or SIGINT stops it.\n"
        "\n"
        "Control commands, one a line, on the --control socket (or standard input with --stdin);\n"
        "each is answered by one line, \"ok ...\" or \"error: ...\":\n"
        "  attach UDID | detach UDID   plug or unplug the simulated device's cable\n"
        "  devices                     the attached devices: ok ID:UDID:usb|wifi ...\n"
        "  trust pending|accept|deny   how the device answers a pairing request\n"
        "  backup-mode legacy|modern   device-link version 300 or 400 for mobilebackup2\n"
        "  service-ssl on|off          whether started services ask for TLS (default off)\n"
        "  fault SERVICE KIND          the next answer of SERVICE (lockdown, afc, installation_proxy,\n"
        "                              springboard, backup or *) fails: drop, malformed, oversized,\n"
        "                              error, timeout or detach\n"
        "  clear-faults | rescan");
}

} // namespace

int main(int argc, char** argv) {
    vexa::emulator::EmulatorOptions options;
    if (const char* root = std::getenv("VEXA_SIM_ROOT"))
        options.simulatorRoot = root;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--help") {
            printHelp();
            return 0;
        } else if (argument == "--socket" && hasValue) {
            options.socketPath = argv[++i];
        } else if (argument == "--root" && hasValue) {
            options.simulatorRoot = argv[++i];
        } else if (argument == "--control" && hasValue) {
            options.controlPath = argv[++i];
        } else if (argument == "--state" && hasValue) {
            options.stateFolder = argv[++i];
        } else if (argument == "--trust-pending") {
            options.trustPending = true;
        } else if (argument == "--backup-mode" && hasValue) {
            const std::string mode = argv[++i];
            if (mode != "legacy" && mode != "modern") {
                std::fprintf(stderr, "vexa-device-emulator: --backup-mode takes legacy or modern\n");
                return 2;
            }
            options.legacyBackup = mode == "legacy";
        } else if (argument == "--stdin") {
            options.readCommandsFromStdin = true;
        } else {
            std::fprintf(stderr, "vexa-device-emulator: unexpected argument \"%s\" (see --help)\n", argv[i]);
            return 2;
        }
    }
    if (options.socketPath.empty() || options.simulatorRoot.empty()) {
        std::fprintf(stderr, "vexa-device-emulator: --socket and a simulator root are needed (see --help)\n");
        return 2;
    }
    if (options.stateFolder.empty())
        options.stateFolder = options.socketPath.string() + ".state";

    vexa::emulator::Emulator emulator(options);
    g_emulator = &emulator;
    struct sigaction stop {};
    stop.sa_handler = onStopSignal;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    if (!emulator.Run()) {
        std::fprintf(stderr, "vexa-device-emulator: cannot listen on %s: %s\n", options.socketPath.c_str(),
                     std::strerror(errno));
        g_emulator = nullptr;
        return 1;
    }
    g_emulator = nullptr;
    return 0;
}
