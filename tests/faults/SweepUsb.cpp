#include <memory>

#include <QTest>

#include <vexa/vexa.h>

#include "EmulatorProcess.h"
#include "FaultSweep.h"
#include "usb/UsbBackend.h"

namespace {

constexpr int kSwitchMs = 20000;

// The emulator serves the sweep's own simulator folder while the usb rows run; the program then reaches
// the phone over usbmuxd, lockdown and the device's services instead of the simulator.
std::unique_ptr<EmulatorProcess>& Emulator() {
    static std::unique_ptr<EmulatorProcess> emulator;
    return emulator;
}

bool ShownOverUsb(SweepDevice& device) {
    return device.Handle() >= 0 && vexa::usb::UsbBackend::Instance().Owns(device.Handle()) &&
           device.WaitShown(50);
}

void SwitchBackend(const char* backend) {
    qputenv("VEXA_BACKEND", backend);
    IOSInitialize();
}

void EnsureUsb(SweepDevice& device) {
    if (Emulator() && ShownOverUsb(device))
        return;
    if (!Emulator()) {
        Emulator() = std::make_unique<EmulatorProcess>();
        if (!Emulator()->Start({QStringLiteral("--root"), qEnvironmentVariable("VEXA_SIM_ROOT")}))
            qWarning("the device emulator did not start");
    }
    device.SetPlugged(true);
    SwitchBackend("usb");
    if (!QTest::qWaitFor([&] { return ShownOverUsb(device); }, kSwitchMs))
        qWarning("the phone did not arrive over usb");
}

void BackToSimulator(SweepDevice& device) {
    SwitchBackend("sim");
    device.SetPlugged(true);
    (void)QTest::qWaitFor([&] { return device.Handle() >= 0 && device.WaitShown(50); }, kSwitchMs);
    // The usb backend has let go of the emulator's socket: it can stop.
    Emulator().reset();
}

void Control(const QByteArray& command) {
    if (Emulator()) {
        const QByteArray answer = Emulator()->Control(command);
        if (!answer.startsWith("ok"))
            qWarning("emulator: %s -> %s", command.constData(), answer.constData());
    }
}

// The emulator's fault mode for each kind of the sweep: the device stops answering for a delay (the
// backend's deadline must end the call), the cable comes out in place of the service's next answer, or
// right before the user's action reaches the device.
std::function<void(SweepDevice&, FaultKind)> FaultsOf(const QByteArray& service, bool hookBefore) {
    return [service, hookBefore](SweepDevice& device, FaultKind kind) {
        if (kind == FaultKind::UnplugBefore && hookBefore) {
            const QByteArray udid = QByteArray::fromStdString(device.Udid());
            device.SetBeforeCall([udid] { Control("detach " + udid); });
            return;
        }
        const QByteArray mode = kind == FaultKind::ErrorCode ? "error"
                                : kind == FaultKind::Delay   ? "timeout"
                                                             : "detach";
        Control("fault " + service + " " + mode);
    };
}

struct UsbRow {
    const char* operation; // the simulator row it repeats
    const char* service;   // the emulator's name of the service the call uses
    const char* message;   // what a failure shows on this backend
};

} // namespace

void AddUsbOperations(std::vector<SweepOperation>& operations) {
    // The device's own failures have their texts on this backend; a lost device closes its views.
    static const UsbRow rows[] = {
        {"GetDiskInfo", "lockdown", "Get diskInfo failed!"},
        {"SetDeviceName", "lockdown", "Rename failed!"},
        {"GetApplistInfo", "installation_proxy", "Get app number failed! Please refresh!"},
        {"GetAppListIcon", "springboard", "Get app icon failed! Please refresh!"},
        {"InstallApp", "installation_proxy", "Install app error!"},
        {"UninstallApp", "installation_proxy", "Uninstall app failed!"},
    };
    std::vector<SweepOperation> added;
    for (const UsbRow& row : rows) {
        const auto simulated =
            std::find_if(operations.begin(), operations.end(), [&](const SweepOperation& op) {
                return op.call.operation == QLatin1String(row.operation);
            });
        if (simulated == operations.end())
            continue;
        SweepOperation usb = *simulated;
        usb.call = {QStringLiteral("usb:") + simulated->call.operation,
                    QStringLiteral("usb backend: ") + simulated->call.path, QString::fromLatin1(row.message)};
        // The package goes to the device's staging folder before the install begins; a cable pulled out
        // after that leaves it there (nothing can remove it from a device that is gone).
        if (usb.call.operation == QLatin1String("usb:InstallApp"))
            usb.earlierChange = QStringLiteral("the package uploaded to PublicStaging");
        usb.delayEndsInMessage = true;
        // An action that cannot be interrupted between its start and the device call is cut by the
        // service's next answer instead.
        const bool hookBefore = !simulated->unplugBeforeByFault;
        usb.unplugBeforeByFault = false;
        usb.inject = FaultsOf(row.service, hookBefore);
        usb.clearFaults = [](SweepDevice&) { Control("clear-faults"); };
        usb.prepare = [prepare = simulated->prepare](SweepDevice& device) {
            EnsureUsb(device);
            if (prepare)
                prepare(device);
        };
        usb.finish = [finish = simulated->finish](SweepDevice& device) {
            if (finish)
                finish(device);
            BackToSimulator(device);
        };
        added.push_back(std::move(usb));
    }
    operations.insert(operations.end(), added.begin(), added.end());
}
