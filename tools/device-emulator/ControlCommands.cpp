#include "ControlCommands.h"

#include <sstream>
#include <vector>

#include "EmulatedDevice.h"
#include "Emulator.h"

namespace vexa::emulator {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

std::string listDevices(Emulator& emulator) {
    std::string out = "ok";
    for (const auto& device : emulator.Devices())
        out += " " + std::to_string(device->DeviceId()) + ":" + device->Udid() +
               (device->IsWifi() ? ":wifi" : ":usb");
    return out;
}

std::string trust(Emulator& emulator, const std::string& mode) {
    if (mode == "pending")
        emulator.SetTrust(TrustMode::Pending);
    else if (mode == "accept")
        emulator.SetTrust(TrustMode::Trusting);
    else if (mode == "deny")
        emulator.SetTrust(TrustMode::Denying);
    else
        return "error: trust takes pending, accept or deny";
    return "ok";
}

} // namespace

std::string ExecuteControlCommand(Emulator& emulator, const std::string& line) {
    const std::vector<std::string> w = words(line);
    if (w.empty())
        return "error: empty command";
    const std::string& command = w[0];
    if ((command == "attach" || command == "detach") && w.size() == 2)
        return emulator.SetPlugged(w[1], command == "attach") ? "ok" : "error: no simulated device " + w[1];
    if (command == "devices" && w.size() == 1)
        return listDevices(emulator);
    if (command == "trust" && w.size() == 2)
        return trust(emulator, w[1]);
    if (command == "backup-mode" && w.size() == 2 && (w[1] == "legacy" || w[1] == "modern")) {
        emulator.SetLegacyBackup(w[1] == "legacy");
        return "ok";
    }
    if (command == "backup-stats" && w.size() == 1) {
        const Emulator::BackupFigures figures = emulator.LastBackup();
        return "ok " + std::string(figures.incremental ? "incremental" : "full") + " files " +
               std::to_string(figures.files) + " bytes " + std::to_string(figures.bytes) + " removed " +
               std::to_string(figures.removed);
    }
    if (command == "service-ssl" && w.size() == 2 && (w[1] == "on" || w[1] == "off")) {
        emulator.SetServiceTls(w[1] == "on");
        return "ok";
    }
    if (command == "fault" && w.size() == 3) {
        const auto kind = FaultPlan::Parse(w[2]);
        if (!kind)
            return "error: unknown fault " + w[2];
        emulator.Faults().Arm(w[1], *kind);
        return "ok";
    }
    if (command == "clear-faults" && w.size() == 1) {
        emulator.Faults().Clear();
        return "ok";
    }
    if (command == "rescan" && w.size() == 1) {
        emulator.Rescan();
        return "ok";
    }
    return "error: unknown command \"" + line + "\"";
}

} // namespace vexa::emulator
