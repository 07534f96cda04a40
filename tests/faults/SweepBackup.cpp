#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/IVexaManager.h>

#include "BackupProgressDialog.h"
#include "BackupWidget.h"
#include "CSingleDetectiPhone.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QMessageDlg.h"
#include "QNavigateWidget.h"
#include "QRestoreDlg.h"
#include "QSelectDeviceRestorDlg.h"
#include "QTransferDeviceDlg.h"
#include "RestoreTableModel.h"
#include "SimDevices.h"
#include "SweepKit.h"

namespace {

constexpr int kWaitMs = 20000;
constexpr char kTargetUdid[] = "00008101-0000000000B4C2F2";

QString RestoreFolder() {
    return ExportRoot().filePath(QStringLiteral("restore source"));
}

QString MarkerPath(SweepDevice& device) {
    return device.DeviceFolder() + QStringLiteral("/Media/Made after the backup.txt");
}

// --- Restore: Restore home tool, the phone's backup chosen, Restore from Backup, the phone chosen.

// A backup of the phone as the row finds it, and a file added afterwards that a restore takes away.
void PrepareRestore(SweepDevice& device) {
    if (!QFileInfo::exists(RestoreFolder() + QStringLiteral("/Status.plist"))) {
        device.WithManager([](IVexaManager* manager) {
            const std::u16string folder = RestoreFolder().toStdU16String();
            return manager->GetDeviceService()->BackupDevice(folder.c_str(), 0) == 0;
        });
    }
    QFile marker(MarkerPath(device));
    if (marker.open(QIODevice::WriteOnly))
        marker.write("restoring the backup removes this");
}

void ChooseAndConfirm(SweepDevice& device, QSelectDeviceRestorDlg* dialog) {
    for (int row = 0; row < dialog->Model()->rowCount(); ++row) {
        if (dialog->Model()->Record(row)->folder == RestoreFolder())
            dialog->Table()->selectRow(row);
    }
    // The cable may come out once the user has agreed, right before the device is asked.
    device.Dialogs()->ConfirmNextQuestion();
    device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
    QPointer<QSelectDeviceRestorDlg> chooser(dialog);
    QTimer::singleShot(0, dialog, [chooser] {
        chooser->OnBtnConfirm();
        if (chooser && chooser->isVisible())
            chooser->reject();
    });
}

bool RestoreThroughWindow(SweepDevice& device) {
    QSelectDeviceRestorDlg::Outcome outcome = QSelectDeviceRestorDlg::NotRun;
    device.Dialogs()->WhenShown<QRestoreDlg>([&device, &outcome](QRestoreDlg* window) {
        QPointer<QRestoreDlg> restore(window);
        // The next handler is set once this one has returned: the answerer forgets the handler it ran.
        QTimer::singleShot(0, window, [&device, &outcome, restore] {
            device.Dialogs()->WhenShown<QSelectDeviceRestorDlg>(
                [&device, &outcome](QSelectDeviceRestorDlg* dialog) {
                    ChooseAndConfirm(device, dialog);
                    QObject::connect(dialog, &QDialog::finished, dialog,
                                     [dialog, &outcome] { outcome = dialog->LastOutcome(); });
                });
            restore->OnBtnRestore();
            if (restore)
                restore->reject();
        });
    });
    device.Navigate()->OnClickRestore();
    return outcome == QSelectDeviceRestorDlg::Restored;
}

bool MarkerGone(SweepDevice& device) {
    return !QFileInfo::exists(MarkerPath(device));
}

// --- Transfer: To iDevice home tool, the phone as the source, a second device as the target.

bool TargetShown() {
    return HandleOf(kTargetUdid) >= 0;
}

// The second device, made on first use and plugged in for this row only.
void PrepareTarget(SweepDevice&) {
    PlugOrCreate(kTargetUdid, "Sweep Target", "iPad7,5");
    (void)QTest::qWaitFor(TargetShown, kWaitMs);
}

void UnplugTarget(SweepDevice&) {
    SimCtl({"unplug", kTargetUdid});
    (void)QTest::qWaitFor([] { return !TargetShown(); }, kWaitMs);
}

int IndexOf(QComboBox* combo, const QString& name) {
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == name)
            return i;
    }
    return -1;
}

bool TransferThroughDialog(SweepDevice& device) {
    const QString source = device.DeviceName();
    device.Dialogs()->WhenShown<QTransferDeviceDlg>([&device, source](QTransferDeviceDlg* dialog) {
        // The dialog gathers the devices on a thread of its own first.
        auto* poll = new QTimer(dialog);
        QObject::connect(poll, &QTimer::timeout, dialog, [&device, dialog, poll, source] {
            if (dialog->CurrentLayout() != QTransferDeviceDlg::Layout::Choosing)
                return;
            poll->stop();
            const int from = IndexOf(dialog->SourceCombo(), source);
            const int to = IndexOf(dialog->TargetCombo(), QStringLiteral("Sweep Target"));
            if (from < 0 || to < 0) {
                dialog->reject(); // a device is missing: no transfer, and the row fails
                return;
            }
            dialog->SourceCombo()->setCurrentIndex(from);
            dialog->TargetCombo()->setCurrentIndex(to);
            device.JustBeforeCall();
            dialog->OnBtnTransfer();
        });
        poll->start(10);
    });
    const auto messagesBefore = device.Dialogs()->Messages().size();
    device.Navigate()->OnClickToDevice();
    const QStringList messages = device.Dialogs()->Messages().mid(messagesBefore);
    return !messages.isEmpty() && !messages.last().startsWith(QLatin1String("The transfer failed")) &&
           !messages.last().startsWith(QLatin1String("Please"));
}

// --- Backup: the backup window from the Backup home tool, into a folder chosen in the folder dialog.
QString g_backupFolder;

bool BackupThroughWindow(SweepDevice& device) {
    g_backupFolder = ExportRoot().filePath(QStringLiteral("backup%1").arg(device.Next()));
    if (!QDir().mkpath(g_backupFolder))
        return false;
    // The folder is handed to the window as its folder dialog would; the dialog itself is Qt's.
    device.Dialogs()->WhenShown<BackupWidget>([&device](BackupWidget* window) {
        device.JustBeforeCall();
        QTimer::singleShot(0, window, [window] { window->StartBackup(g_backupFolder); });
    });
    // The progress dialog stays open after a success; a failure closes it and shows the message. Once
    // neither is left, the backup window goes too.
    bool succeeded = false;
    bool sawProgress = false;
    // A call that fails at once may end with its message before the progress dialog ever shows.
    const auto messagesBefore = device.Dialogs()->Messages().size();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        BackupWidget* window = nullptr;
        bool busy = false;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            if (auto* progress = qobject_cast<BackupProgressDialog*>(widget)) {
                sawProgress = true;
                busy = true;
                if (!progress->IsRunning()) {
                    succeeded = progress->LabelText() == QLatin1String("Backup successfully!");
                    device.Dialogs()->Note(progress->LabelText());
                    progress->accept();
                }
            }
            busy = busy || qobject_cast<QMessageDlg*>(widget);
            if (auto* backup = qobject_cast<BackupWidget*>(widget))
                window = backup;
        }
        const bool told = device.Dialogs()->Messages().size() > messagesBefore;
        if (window && (sawProgress || told) && !busy)
            window->close();
    });
    watch.start(10);
    device.Navigate()->OnClickBackup();
    return succeeded;
}

bool HasBackupIn(SweepDevice& device, const QString& folder) {
    bool found = false;
    device.WithManager([&](IVexaManager* manager) {
        BackupRecord* records = nullptr;
        int count = 0;
        if (manager->GetDeviceService()->GetBackups(&records, &count) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            found = found || QString::fromUtf16(records[i].folder) == folder;
        return true;
    });
    return found;
}

// A failed backup leaves the chosen folder as it found it: empty.
QString BackupFolderLeftovers(SweepDevice&) {
    return QDir(g_backupFolder)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
        .join(QLatin1Char(' '));
}

} // namespace

void AddBackupToFolderOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"BackupDevice", "Backup home tool, Backup in its window into a chosen folder",
                 "Opps, backup failed. Please try again!"},
        .act = BackupThroughWindow,
        .verify = [](SweepDevice& device) { return HasBackupIn(device, g_backupFolder); },
        .leftovers = BackupFolderLeftovers,
    });
}

void AddBackupOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"RestoreDevice", "Restore home tool, the phone's backup, Restore from Backup, the phone, OK",
                 "Restored failed!"},
        .prepare = PrepareRestore,
        .act = RestoreThroughWindow,
        .verify = MarkerGone,
    });
    // The phone is the source: the transfer only reads it, so a failure must leave it as it was.
    operations.push_back({
        .call = {"GetContacts",
                 "To iDevice home tool, the phone to a second device, Transfer (transfer thread)",
                 "The transfer failed"},
        .unplugBeforeByFault = true,
        .prepare = PrepareTarget,
        .act = TransferThroughDialog,
        .finish = UnplugTarget,
    });
}
