// Renders the Music page of a demo phone served by vexa-device-emulator through the usb backend, with
// its read-only line and the line that counts a song whose file is gone, the Messages and Calls pages
// read from the phone's snapshot (its progress, the line that says why calls need encrypted backups,
// the password dialog, the calls of an encrypted one), and the tools window with the HEIC to JPEG tile
// and its progress, in every language, for a look by eye.
// Usage: media_usb_screens <folder>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "CSnapshotPage.h"
#include "EmulatorProcess.h"
#include "LanguageService.h"
#include "QBackupPasswordDlg.h"
#include "QCallsView.h"
#include "QMusicView.h"
#include "QProgressDlg.h"
#include "ScreensSession.h"
#include "ToolWidget.h"
#include "qmessageView.h"

namespace {

const char kUdid[] = "00008110-000A1B2C3D4E5F17";
int g_arrived = 0;

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_arrived = handle;
    return 0;
}

void Loaded(QBaseDetailsView& view) {
    view.resize(900, 600);
    view.show();
    view.Start();
    (void)QTest::qWaitFor([&] { return view.HasLoaded() && !view.IsRunning(); }, 60000);
    QTest::qWait(200);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    // The snapshots of the phone go into a cache of this run's own.
    QTemporaryDir home;
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toLocal8Bit());
    EmulatorProcess emulator;
    if (emulator.SimCtl({"create-demo", "--udid", kUdid, "--name", "Anna's iPhone", "--ios", "17"}) != 0 ||
        !emulator.Start())
        return 1;
    // One song whose file is gone, as after a sync that broke off.
    QDirIterator songs(emulator.Root() + "/" + kUdid + "/Media/iTunes_Control/Music", QDir::Files,
                       QDirIterator::Subdirectories);
    if (songs.hasNext())
        QFile::remove(songs.next());
    qputenv("VEXA_BACKEND", "usb");
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return g_arrived != 0; }, 30000))
        return 2;
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_arrived) != VEXA_OK)
        return 3;

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        {
            QMusicView view(manager, g_arrived);
            view.resize(900, 600);
            view.show();
            view.Start();
            (void)QTest::qWaitFor([&] { return view.HasLoaded() && !view.IsRunning(); }, 20000);
            QTest::qWait(200);
            ScreensSession::Save(&view,
                                 QStringLiteral("%1/media_usb_music_%2.png").arg(output, language.name));
        }
        {
            qmessageView messages(manager, g_arrived);
            Loaded(messages);
            ScreensSession::Save(&messages,
                                 QStringLiteral("%1/messages_usb_%2.png").arg(output, language.name));
            // The line while a snapshot is taken, as its first report shows it.
            emit messages.Snapshot()->progressChanged(34);
            ScreensSession::Save(
                &messages, QStringLiteral("%1/messages_usb_progress_%2.png").arg(output, language.name));
        }
        {
            QCallsView calls(manager, g_arrived);
            Loaded(calls);
            ScreensSession::Save(
                &calls, QStringLiteral("%1/calls_usb_not_encrypted_%2.png").arg(output, language.name));
        }
        {
            QBackupPasswordDlg dialog([](const char*, const std::function<bool()>&) { return VEXA_OK; });
            dialog.show();
            ScreensSession::Save(&dialog,
                                 QStringLiteral("%1/snapshot_password_%2.png").arg(output, language.name));
        }
        {
            ToolWidget tools;
            tools.show();
            // The photo tools are the last group: scrolled into view.
            if (auto* scroll = tools.findChild<QScrollArea*>())
                scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            ScreensSession::Save(&tools,
                                 QStringLiteral("%1/heic_tool_tile_%2.png").arg(output, language.name));
        }
        {
            QProgressDlg progress(QCoreApplication::translate("CHeicToJpegTool", "HEIC to JPEG"));
            progress.show();
            progress.OnProgress(37, 100);
            progress.OnMsg(QCoreApplication::translate("QHeicConvertAction", "Converting %1 of %2")
                               .arg(37)
                               .arg(100)
                               .toUtf8()
                               .constData());
            ScreensSession::Save(&progress,
                                 QStringLiteral("%1/heic_tool_progress_%2.png").arg(output, language.name));
        }
    }
    // Once the phone encrypts its backups, the snapshot holds its calls.
    emulator.SimCtl(
        {"backup-password", kUdid, "secret", "--sha256-rounds", "20000", "--sha1-rounds", "1000"});
    {
        QCallsView encrypted(manager, g_arrived);
        encrypted.Snapshot()->RequestRefresh();
        encrypted.resize(900, 600);
        encrypted.show();
        encrypted.Start();
        QBackupPasswordDlg* dialog = nullptr;
        if (QTest::qWaitFor([&] { return (dialog = encrypted.findChild<QBackupPasswordDlg*>()) != nullptr; },
                            60000)) {
            dialog->findChild<QLineEdit*>(QStringLiteral("m_password"))->setText(QStringLiteral("secret"));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }
        for (const auto& language : kScreenLanguages) {
            SetLanguage(language.code);
            (void)QTest::qWaitFor([&] { return encrypted.GetChunkCount() > 0 && !encrypted.IsRunning(); },
                                  30000);
            QTest::qWait(200);
            ScreensSession::Save(&encrypted,
                                 QStringLiteral("%1/calls_usb_%2.png").arg(output, language.name));
        }
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    qputenv("VEXA_BACKEND", "sim");
    IOSInitialize();
    emulator.Stop();
    return 0;
}
