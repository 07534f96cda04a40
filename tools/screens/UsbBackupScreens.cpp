// Runs the backup window's Backup and the restore window's Restore on a device served by
// vexa-device-emulator through the usb backend, and renders the progress dialogs part-way, for a look
// by eye. Usage: usb_backup_screens <output folder>

#include <atomic>
#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "BackupProgressDialog.h"
#include "BackupWidget.h"
#include "CDetectorDirectory.h"
#include "CSingleDetectiPhone.h"
#include "EmulatorProcess.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "QProgressBlock.h"
#include "QRestoreDlg.h"
#include "QSelectDeviceRestorDlg.h"
#include "RestoreProgressDialog.h"
#include "RestoreTableModel.h"
#include "ScreensSession.h"
#include "WhenShown.h"

namespace {

const char kUdid[] = "00008030-001A2B3C4D5E6F72";

// Saves the dialog once part of the work is done, and closes a finished backup dialog.
template <class Dialog> void GrabPartWay(const QString& path, bool closeWhenDone) {
    WhenShown<Dialog>([path, closeWhenDone](Dialog* dialog) {
        auto* poll = new QTimer(dialog);
        auto saved = std::make_shared<bool>(false);
        QObject::connect(poll, &QTimer::timeout, dialog, [=] {
            const qint64 done = dialog->Progress()->BarValue();
            if (!*saved && dialog->IsRunning() && done > 0 && done < dialog->Progress()->BarMaximum()) {
                *saved = dialog->grab().save(path);
                std::printf("saved %s at %lld of %lld\n", qPrintable(path), static_cast<long long>(done),
                            static_cast<long long>(dialog->Progress()->BarMaximum()));
            }
            if (closeWhenDone && !dialog->IsRunning()) {
                poll->stop();
                dialog->accept();
            }
        });
        poll->start(2);
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    EmulatorProcess emulator;
    if (emulator.SimCtl({"create", "--udid", kUdid, "--name", "Anna's iPhone", "--product-type", "iPhone12,1",
                         "--apps", "3", "--photos", "12"}) != 0 ||
        !emulator.Start())
        return 1;
    // Enough data for the bar to be seen moving: 400 files of 256 KB.
    const QString media = emulator.Root() + "/" + kUdid + "/Media";
    QDir(media).mkpath("DCIM/101APPLE");
    for (int i = 0; i < 400; ++i) {
        QFile file(QStringLiteral("%1/DCIM/101APPLE/IMG_%2.JPG").arg(media).arg(i, 4, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(256 * 1024, char('a' + i % 26)));
    }
    qputenv("VEXA_BACKEND", "usb");

    struct Shown : IDetectiPhoneCallback {
        std::atomic<int> state{-1};
        void OnDeviceStateChange(int newState, int) override { state = newState; }
    } shown;
    CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
    detector->SetDetectCallback(&shown);
    if (!QTest::qWaitFor([&] { return shown.state == DETECT_IPHONE_READY; }, 20000))
        return 2;
    MessageCatcher messages;
    messages.SetAnswerYes(true);

    const QString folder = QDir(output).filePath("backup");
    QDir(folder).removeRecursively();
    bool backedUp = false;
    {
        GrabPartWay<BackupProgressDialog>(output + "/usb_backup_progress.png", true);
        BackupWidget window(&CDetectorDirectory::Instance());
        window.resize(760, 520);
        window.show();
        window.DeviceCombo()->setCurrentIndex(0);
        QTest::qWait(300);
        window.grab().save(output + "/usb_backup_window.png");
        backedUp = window.StartBackup(folder);
    }
    std::printf("backup: %s; messages: %s\n", backedUp ? "made" : "failed",
                qPrintable(messages.Messages().join(" | ")));

    // A file added after the backup is gone once the backup is restored.
    QFile added(media + "/DCIM/added-after-backup.txt");
    added.open(QIODevice::WriteOnly);
    added.write("later");
    added.close();
    messages.Clear();
    QSelectDeviceRestorDlg::Outcome outcome = QSelectDeviceRestorDlg::NotRun;
    {
        QRestoreDlg window(&CDetectorDirectory::Instance());
        QList<CBackupRecord> records;
        for (const CBackupRecord& record : window.Model()->Records()) {
            if (record.folder == folder)
                records << record;
        }
        if (records.isEmpty())
            return 3;
        GrabPartWay<RestoreProgressDialog>(output + "/usb_restore_progress.png", false);
        WhenShown<QSelectDeviceRestorDlg>([&outcome](QSelectDeviceRestorDlg* dialog) {
            dialog->DeviceCombo()->setCurrentIndex(0);
            dialog->Table()->selectRow(0);
            dialog->OnBtnConfirm();
            outcome = dialog->LastOutcome();
            dialog->reject();
        });
        QSelectDeviceRestorDlg chooser(records, &CDetectorDirectory::Instance());
        chooser.exec();
    }
    std::printf("restore: %s; added file %s; messages: %s\n",
                outcome == QSelectDeviceRestorDlg::Restored ? "restored" : "not restored",
                QFile::exists(added.fileName()) ? "still there" : "gone",
                qPrintable(messages.Messages().join(" | ")));
    detector->SetDetectCallback(nullptr);
    emulator.Stop();
    return backedUp && outcome == QSelectDeviceRestorDlg::Restored ? 0 : 4;
}
