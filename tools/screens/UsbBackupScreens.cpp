// Runs the backup window's Backup and the restore window's Restore on a device served by
// vexa-device-emulator through the usb backend, and renders the progress dialogs part-way; then, in
// every language, the message of a restore given the wrong password and a transfer between two such
// devices with its summary, for a look by eye. Usage: usb_backup_screens <output folder>

#include <atomic>
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
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
#include "QMessageDlg.h"
#include "QProgressBlock.h"
#include "QRestoreDlg.h"
#include "QSelectDeviceRestorDlg.h"
#include "QTransferDeviceDlg.h"
#include "RestorePasswordWidget.h"
#include "RestoreProgressDialog.h"
#include "RestoreTableModel.h"
#include "ScreensSession.h"
#include "WhenShown.h"

namespace {

const char kUdid[] = "00008030-001A2B3C4D5E6F72";
const char kPadUdid[] = "00008030-001A2B3C4D5E6F73";

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

// Answers every message with its first button. Once a picture is asked for, the next message that is
// not a question is saved drawn where it stands over the window behind it, as the user sees the two.
class MessageShooter : public QObject {
public:
    MessageShooter() {
        connect(&m_timer, &QTimer::timeout, this, &MessageShooter::Poll);
        m_timer.start(10);
    }
    void Expect(QWidget* behind, const QString& path) {
        m_behind = behind;
        m_path = path;
    }
    QStringList messages;

private:
    void Poll() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QMessageDlg*>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            messages << dialog->Message();
            if (!m_path.isEmpty() && m_behind && !(dialog->Flags() & (MSG_TWO_BUTTONS | MSG_YESNO))) {
                const QRect all = m_behind->geometry().united(dialog->geometry());
                QPixmap picture(all.size());
                picture.fill(Qt::darkGray);
                QPainter painter(&picture);
                painter.drawPixmap(m_behind->geometry().topLeft() - all.topLeft(), m_behind->grab());
                painter.drawPixmap(dialog->geometry().topLeft() - all.topLeft(), dialog->grab());
                painter.end();
                if (!picture.save(m_path))
                    qWarning("can't save %s", qPrintable(m_path));
                std::printf("saved %s: %s\n", qPrintable(m_path), qPrintable(dialog->Message()));
                m_path.clear();
            }
            dialog->OnBtnOk();
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_behind;
    QString m_path;
};

// Closes the backup's progress dialog once the backup has ended.
void CloseWhenDone() {
    WhenShown<BackupProgressDialog>([](BackupProgressDialog* dialog) {
        auto* poll = new QTimer(dialog);
        QObject::connect(poll, &QTimer::timeout, dialog, [=] {
            if (!dialog->IsRunning()) {
                poll->stop();
                dialog->accept();
            }
        });
        poll->start(20);
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
    auto messages = std::make_unique<MessageCatcher>();
    messages->SetAnswerYes(true);

    // The backups go into a scratch folder, not among the pictures.
    QTemporaryDir backups;
    const QString folder = backups.filePath("backup");
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
                qPrintable(messages->Messages().join(" | ")));

    // A file added after the backup is gone once the backup is restored.
    QFile added(media + "/DCIM/added-after-backup.txt");
    added.open(QIODevice::WriteOnly);
    added.write("later");
    added.close();
    messages->Clear();
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
                qPrintable(messages->Messages().join(" | ")));
    if (!backedUp || outcome != QSelectDeviceRestorDlg::Restored)
        return 4;

    // An encrypted backup, restored with the wrong password in each language.
    messages.reset();
    MessageShooter shooter;
    QDir(media + "/DCIM/101APPLE").removeRecursively();
    if (emulator.SimCtl(
            {"backup-password", kUdid, "s3cret", "--sha256-rounds", "20000", "--sha1-rounds", "1000"}) != 0)
        return 5;
    const QString encrypted = backups.filePath("backup-encrypted");
    {
        CloseWhenDone();
        BackupWidget window(&CDetectorDirectory::Instance());
        window.show();
        window.DeviceCombo()->setCurrentIndex(0);
        if (!window.StartBackup(encrypted))
            return 6;
    }
    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QRestoreDlg window(&CDetectorDirectory::Instance());
        window.resize(760, 520);
        window.show();
        QList<CBackupRecord> records;
        for (const CBackupRecord& record : window.Model()->Records()) {
            if (record.folder.startsWith(encrypted) && record.encrypted)
                records << record;
        }
        if (records.isEmpty())
            return 7;
        outcome = QSelectDeviceRestorDlg::NotRun;
        WhenShown<QSelectDeviceRestorDlg>([&](QSelectDeviceRestorDlg* dialog) {
            dialog->DeviceCombo()->setCurrentIndex(0);
            dialog->Table()->selectRow(0);
            WhenShown<RestorePasswordWidget>([&](RestorePasswordWidget* prompt) {
                prompt->PasswordEdit()->setText(QStringLiteral("wrong"));
                ScreensSession::Save(prompt, QStringLiteral("%1/usb_restore_password_%2.png")
                                                 .arg(output, QLatin1String(language.name)));
                prompt->OnBtnYes();
            });
            shooter.Expect(&window, QStringLiteral("%1/usb_restore_wrong_password_%2.png")
                                        .arg(output, QLatin1String(language.name)));
            dialog->OnBtnConfirm();
            outcome = dialog->LastOutcome();
            dialog->reject();
        });
        QSelectDeviceRestorDlg chooser(records, &CDetectorDirectory::Instance());
        chooser.exec();
        if (outcome != QSelectDeviceRestorDlg::Failed)
            return 8;
    }

    // A second phone arrives; the transfer between the two names what each cannot give or take yet.
    if (emulator.SimCtl({"create", "--udid", kPadUdid, "--name", "Ben's iPad", "--product-type", "iPad8,1",
                         "--photos", "4"}) != 0 ||
        !QTest::qWaitFor([&] { return detector->Managers().size() == 2; }, 20000))
        return 9;
    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QTransferDeviceDlg dialog(&CDetectorDirectory::Instance());
        dialog.show();
        if (!QTest::qWaitFor(
                [&] {
                    return dialog.CurrentLayout() == QTransferDeviceDlg::Layout::Choosing &&
                           dialog.SourceCombo()->count() == 2;
                },
                20000))
            return 10;
        dialog.SourceCombo()->setCurrentIndex(
            dialog.SourceCombo()->findText(QStringLiteral("Anna's iPhone")));
        dialog.TargetCombo()->setCurrentIndex(dialog.TargetCombo()->findText(QStringLiteral("Ben's iPad")));
        ScreensSession::Save(
            &dialog,
            QStringLiteral("%1/usb_transfer_choose_%2.png").arg(output, QLatin1String(language.name)), 300);
        shooter.Expect(
            &dialog,
            QStringLiteral("%1/usb_transfer_summary_%2.png").arg(output, QLatin1String(language.name)));
        dialog.OnBtnTransfer();
        if (!QTest::qWaitFor([&] { return !dialog.isVisible(); }, 60000))
            return 11;
        std::printf("transfer: %s\n", qPrintable(dialog.ResultText()));
    }
    std::printf("messages: %s\n", qPrintable(shooter.messages.join(" | ")));
    detector->SetDetectCallback(nullptr);
    emulator.Stop();
    return 0;
}
