// Renders the trust prompt, the information page, the file system page and the install dialog of a device
// served by vexa-device-emulator through the usb backend, and in every language the device's tree with
// the Contacts page the device cannot fill yet and the file system page inside an app's documents and
// after leaving them, for a look by eye. Usage: usb_screens <folder>

#include <atomic>
#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "CSingleDetectiPhone.h"
#include "ConnectWidget.h"
#include "DeviceSubItem.h"
#include "EmulatorProcess.h"
#include "LanguageService.h"
#include "QAppsView.h"
#include "QBaseDetailsView.h"
#include "QDeviceInformationWidget.h"
#include "QInstallDlg.h"
#include "QNavigateWidget.h"
#include "QSystemView.h"
#include "ScreensSession.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "formats/IpaFile.h"

namespace {

const char kUdid[] = "00008030-001A2B3C4D5E6F70";
const char kAppId[] = "com.example.notes";

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

    // The main window's left part, as a user meets the phone: the phone leaves and comes back so the
    // widget sees it arrive, in each language.
    const QString container = QStringLiteral("%1/%2/Applications/%3").arg(emulator.Root(), kUdid, kAppId);
    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QDir(container).mkpath("Documents/Drafts");
        QFile draft(container + "/Documents/draft.txt");
        draft.open(QIODevice::WriteOnly);
        draft.write("draft");
        draft.close();
        QNavigateWidget navigate;
        navigate.resize(1000, 600);
        navigate.show();
        emulator.Control(QByteArray("detach ") + kUdid);
        if (!QTest::qWaitFor([&] { return detector->Managers().isEmpty(); }, 10000))
            return 8;
        emulator.Control(QByteArray("attach ") + kUdid);
        TreeNode* device = nullptr;
        if (!QTest::qWaitFor(
                [&] {
                    device = navigate.DeviceNodes().value(0);
                    return device && device->FindChildOfKind(SUB_ITEM_CONTACTS);
                },
                20000))
            return 9;
        const int handle = detector->Managers().firstKey();
        TreeNode* contacts = device->FindChildOfKind(SUB_ITEM_CONTACTS);
        auto* contactsView = qobject_cast<QBaseDetailsView*>(contacts->Binding().view);
        navigate.ClickTreeViewItem(navigate.Model()->IndexOf(contacts));
        if (!contactsView ||
            !QTest::qWaitFor(
                [&] { return contactsView->State() == QBaseDetailsView::ContentState::Unavailable; }, 10000))
            return 10;
        ScreensSession::Save(
            &navigate, QStringLiteral("%1/usb_contacts_unavailable_%2.png").arg(output, language.name), 300);

        // An app's documents opened from Apps, then the way back once the app is gone.
        navigate.OpenAppDocuments(handle, QString::fromLatin1(kAppId));
        TreeNode* system = device->FindChildOfKind(SUB_ITEM_SYSTEM);
        auto* systemView = system ? qobject_cast<QSystemView*>(system->Binding().view) : nullptr;
        if (!systemView || !QTest::qWaitFor(
                               [&] {
                                   return systemView->RootItem() && !systemView->IsRunning() &&
                                          systemView->AppId() == kAppId;
                               },
                               10000))
            return 11;
        ScreensSession::Save(
            &navigate, QStringLiteral("%1/usb_system_app_documents_%2.png").arg(output, language.name), 300);
        std::filesystem::remove_all(container.toStdString());
        auto* back = systemView->findChild<QPushButton*>(QStringLiteral("m_btnBackToDevice"));
        if (!back)
            return 12;
        back->click();
        if (!QTest::qWaitFor(
                [&] {
                    return systemView->RootItem() && !systemView->IsRunning() &&
                           systemView->AppId().empty() && systemView->FindItem("/Documents");
                },
                10000))
            return 13;
        systemView->ShowFolder(systemView->FindItem("/Documents"));
        ScreensSession::Save(
            &navigate, QStringLiteral("%1/usb_system_after_app_%2.png").arg(output, language.name), 300);
    }
    emulator.Stop();
    return 0;
}
