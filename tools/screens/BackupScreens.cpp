// Renders the backup, restore and transfer windows in English and German into PNG files, so their look
// can be checked by eye. Usage: backup_screens <output folder>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "BackupProgressDialog.h"
#include "BackupTestDevices.h"
#include "BackupWidget.h"
#include "CBackupLog.h"
#include "LanguageService.h"
#include "QMessageDlg.h"
#include "QRestoreDlg.h"
#include "QSelectDeviceRestorDlg.h"
#include "QTransferDeviceDlg.h"
#include "RestorePasswordWidget.h"
#include "RestoreTableModel.h"
#include "ScreensSession.h"

namespace {

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(80);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    BackupTestDevices devices;
    IVexaManager* phone = devices.Add("00008101-0000000000C0FFE1", QStringLiteral("Ada's iPhone"), true);
    if (!phone || !devices.Add("00008101-0000000000C0FFE2", QStringLiteral("Office iPad"), false))
        return 1;
    // Two backups for the lists; their progress dialogs are closed as soon as they succeed.
    // The second folder's long name with spaces shows how a path too long for its cell is cut.
    for (const char* name : {"Backup 1", "Backup 2 of the phone before the long trip to the mountains"}) {
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<BackupProgressDialog*>(widget);
                if (dialog && dialog->isVisible() && !dialog->IsRunning())
                    dialog->accept();
            }
        });
        closer.start(20);
        BackupWidget window(&devices);
        window.StartBackup(home.filePath(QLatin1String(name)));
    }

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        const QString suffix = QStringLiteral("_%1.png").arg(QLatin1String(language.name));
        BackupWidget backup(&devices);
        backup.show();
        Save(&backup, output + QStringLiteral("/backup_window") + suffix);

        BackupProgressDialog progress;
        progress.SetFolder(home.filePath(QStringLiteral("Backup 1")));
        progress.show();
        QTest::qWait(1200); // the remaining time needs a second of work to estimate
        progress.OnProgress(412, 1250, 734003200, 2147483648);
        Save(&progress, output + QStringLiteral("/backup_progress") + suffix);
        progress.backupOk();
        Save(&progress, output + QStringLiteral("/backup_done") + suffix);
        progress.accept();

        QRestoreDlg restore(&devices);
        restore.show();
        restore.Table()->selectRow(0);
        Save(&restore, output + QStringLiteral("/restore_window") + suffix);

        QSelectDeviceRestorDlg choose(restore.Model()->Records(), &devices);
        choose.show();
        Save(&choose, output + QStringLiteral("/restore_choice") + suffix);

        RestorePasswordWidget password;
        password.show();
        password.PasswordEdit()->setText(QStringLiteral("secret"));
        Save(&password, output + QStringLiteral("/restore_password") + suffix);

        QTransferDeviceDlg transfer(&devices);
        transfer.show();
        (void)QTest::qWaitFor(
            [&] { return transfer.CurrentLayout() == QTransferDeviceDlg::Layout::Choosing; }, 5000);
        Save(&transfer, output + QStringLiteral("/transfer_choose") + suffix);
        // The working layout, then the summary message, which is saved and closed.
        QTimer messages;
        QObject::connect(&messages, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* message = qobject_cast<QMessageDlg*>(widget); message && message->isVisible()) {
                    message->grab().save(output + QStringLiteral("/transfer_result") + suffix);
                    message->reject();
                }
            }
        });
        messages.start(50);
        transfer.SourceCombo()->setCurrentIndex(0);
        transfer.TargetCombo()->setCurrentIndex(1);
        transfer.OnBtnTransfer();
        QTest::qWait(150);
        transfer.grab().save(output + QStringLiteral("/transfer_working") + suffix);
        (void)QTest::qWaitFor([&] { return !transfer.isVisible(); }, 60000);
    }
    return 0;
}
