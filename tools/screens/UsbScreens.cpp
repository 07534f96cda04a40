// Renders the trust prompt, the information page, the file system page and the install dialog of a device
// served by vexa-device-emulator through the usb backend, for a look by eye. Usage: usb_screens <folder>

#include <atomic>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "CSingleDetectiPhone.h"
#include "ConnectWidget.h"
#include "EmulatorProcess.h"
#include "LanguageService.h"
#include "QAppsView.h"
#include "QDeviceInformationWidget.h"
#include "QInstallDlg.h"
#include "QSystemView.h"
#include "ScreensSession.h"
#include "formats/IpaFile.h"

namespace {

const char kUdid[] = "00008030-001A2B3C4D5E6F70";

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(300);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    EmulatorProcess emulator;
    if (emulator.SimCtl({"create", "--udid", kUdid, "--name", "Anna's iPhone", "--product-type", "iPhone12,1",
                         "--apps", "3", "--photos", "12", "--songs", "6", "--books", "2"}) != 0 ||
        !emulator.Start({"--trust-pending"}))
        return 1;
    QDir(emulator.Root() + "/" + kUdid + "/Media").mkpath("Documents/Reports");
    QFile notes(emulator.Root() + "/" + kUdid + "/Media/Documents/notes.txt");
    notes.open(QIODevice::WriteOnly);
    notes.write(QByteArray(48211, 'x'));
    notes.close();
    qputenv("VEXA_BACKEND", "usb");

    // The real detector: it shows what the library reports, the trust prompt first.
    struct Shown : IDetectiPhoneCallback {
        std::atomic<int> state{-1};
        void OnDeviceStateChange(int newState, int) override { state = newState; }
    } shown;
    CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
    detector->SetDetectCallback(&shown);
    if (!QTest::qWaitFor([&] { return shown.state == DETECT_IPHONE_TRUST_PENDING; }, 20000))
        return 2;
    {
        ConnectWidget prompt;
        prompt.resize(760, 520);
        prompt.ShowTrustPrompt(false);
        prompt.show();
        Save(&prompt, output + "/usb_trust_pending.png");
    }
    emulator.Control("trust accept");
    if (!QTest::qWaitFor([&] { return shown.state == DETECT_IPHONE_READY; }, 20000))
        return 3;
    const auto managers = detector->Managers();
    if (managers.isEmpty())
        return 4;
    IVexaManager* manager = managers.first();
    {
        QDeviceInformationWidget page(manager);
        page.resize(760, 520);
        page.show();
        Save(&page, output + "/usb_information.png");
    }
    {
        QSystemView view(manager, managers.firstKey());
        view.resize(960, 520);
        view.show();
        view.Start();
        if (!QTest::qWaitFor([&] { return view.RootItem() != nullptr && !view.IsRunning(); }, 10000))
            return 5;
        view.ShowFolder(view.FindItem("/Documents"));
        Save(&view, output + "/usb_file_system.png");
    }
    {
        // The install dialog once the package is on the device: the device holds back its first status,
        // so the bar stands where the upload left it.
        QAppsView view(manager, managers.firstKey());
        view.resize(960, 520);
        view.show();
        vexa::formats::AppBundle bundle;
        bundle.bundleId = "com.example.screens";
        bundle.displayName = "Screens";
        bundle.version = bundle.shortVersion = "1.0";
        bundle.minimumOS = "12.0";
        bundle.executable = "Screens";
        const QString ipa = emulator.Root() + "/Screens.ipa";
        if (!vexa::formats::WriteIpa(ipa.toStdString(), bundle))
            return 6;
        emulator.Control("fault installation_proxy timeout");
        // The failure that follows is shown in a message: close each one.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget();
                modal && !qobject_cast<QInstallDlg*>(modal))
                modal->close();
        });
        closer.start(100);
        view.InstallPackage(ipa);
        if (!QTest::qWaitFor([&] { return view.InstallDialog() && view.InstallDialog()->ProValue() > 30; },
                             10000))
            return 7;
        QTest::qWait(700);
        qInfo("install bar at %d%%", view.InstallDialog() ? view.InstallDialog()->ProValue() : -1);
        if (view.InstallDialog())
            Save(view.InstallDialog(), output + "/usb_install_progress.png");
        (void)QTest::qWaitFor([&] { return !view.InstallDialog() && !view.IsRunning(); }, 20000);
        emulator.Control("clear-faults");
    }
    detector->SetDetectCallback(nullptr);
    emulator.Stop();
    return 0;
}
