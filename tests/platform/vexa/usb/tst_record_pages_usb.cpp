// The Messages and Calls pages of an emulated phone over the usb backend: they read the phone's
// snapshot, with progress and cancel, ask for the password of encrypted backups and say why calls need
// one.
#include <utility>

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

#include <vexa/vexa.h>

#include "AppPaths.h"
#include "CSnapshotPage.h"
#include "EmulatorProcess.h"
#include "MessageCatcher.h"
#include "QBackupPasswordDlg.h"
#include "QCallsView.h"
#include "ReadOnlyNotice.h"
#include "qmessageView.h"

namespace {

constexpr char kUdid[] = "00008030-0012A4B6C8D0E2F4";

} // namespace

class TestRecordPagesUsb : public QObject {
    Q_OBJECT

    EmulatorProcess m_emulator;
    int m_handle = 0;
    Manager m_manager;

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        QCOMPARE(m_emulator.SimCtl({"create", "--udid", kUdid, "--name", "Usb Phone", "--product-type",
                                    "iPhone12,1", "--contacts", "5", "--messages", "40", "--photos", "20"}),
                 0);
        QVERIFY(m_emulator.Start());
        qputenv("VEXA_BACKEND", "usb");
        const size_t from = EventCount();
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(RecordEvent), 0);
        m_handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED, 0, 30000);
        QVERIFY(m_handle != 0);
        m_manager = Bind(m_handle);
        QVERIFY(m_manager);
    }

    void cleanupTestCase() {
        m_manager.reset();
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
        m_emulator.Stop();
    }

    void pagesReadTheSnapshotWithProgressCancelAndPassword() {
        const QString folder = qEnvironmentVariable("XDG_CACHE_HOME") + "/vexa-transfer/snapshots/" + kUdid;
        QVERIFY(QDir(folder).removeRecursively()); // left by an earlier run
        MessageCatcher messages;
        qmessageView view(m_manager.get(), m_handle);
        view.resize(1000, 700);
        view.show();
        CSnapshotPage* snapshot = view.Snapshot();
        QVERIFY(snapshot);
        // The first snapshot waits at its first report until Cancel has been clicked.
        QSemaphore clicked;
        bool held = false;
        connect(
            snapshot, &CSnapshotPage::progressChanged, snapshot,
            [&](int) {
                if (!std::exchange(held, true))
                    clicked.tryAcquire(1, 10000);
            },
            Qt::DirectConnection);
        view.Start();
        QTRY_VERIFY_WITH_TIMEOUT(snapshot->CancelButton()->isVisible(), 10000);
        QVERIFY(snapshot->Line()->text().startsWith("Reading messages from the device…"));
        snapshot->CancelButton()->click();
        clicked.release();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && snapshot->Line()->text().contains("cancelled"), 15000);
        QCOMPARE(view.GetChunkCount(), 0);
        QVERIFY(messages.Messages().isEmpty());
        QVERIFY(!QFile::exists(folder + "/Manifest.db")); // nothing half-taken was swapped in

        // Refresh takes it whole; the page is read-only and says when the snapshot was taken.
        view.OnEmitRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.GetChunkCount() > 0, 30000);
        QTRY_VERIFY(snapshot->Line()->text().contains("taken on"));
        QVERIFY(!snapshot->CancelButton()->isVisible() && !snapshot->Progress()->isVisible());
        QVERIFY(view.findChild<ReadOnlyNotice*>()->isVisible());

        // The calls page of a device whose backups are not encrypted says why it shows none.
        QCallsView calls(m_manager.get(), m_handle);
        calls.show();
        QSignalSpy loaded(&calls, &QBaseDetailsView::loadFinished);
        calls.Start();
        QVERIFY(loaded.wait(15000));
        QCOMPARE(calls.GetChunkCount(), 0);
        QVERIFY(calls.Snapshot()->EncryptionNote()->isVisible());
        QVERIFY(calls.Snapshot()->EncryptionNote()->text().contains("not encrypted"));

        // Once they are, Refresh asks for the password; a wrong one is said, the right one shows calls.
        QCOMPARE(m_emulator.SimCtl({"backup-password", kUdid, "secret", "--sha256-rounds", "20000",
                                    "--sha1-rounds", "1000"}),
                 0);
        calls.OnRefresh();
        QBackupPasswordDlg* dialog = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((dialog = calls.findChild<QBackupPasswordDlg*>()) && dialog->isVisible(),
                                 30000);
        auto* password = dialog->findChild<QLineEdit*>("m_password");
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        password->setText("wrong");
        ok->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->findChild<QLabel*>("m_status")->text().contains("wrong"), 10000);
        password->setText("secret");
        ok->click();
        QTRY_VERIFY_WITH_TIMEOUT(calls.GetChunkCount() > 0, 15000);
        QVERIFY(!calls.Snapshot()->EncryptionNote()->isVisible());
        QVERIFY(messages.Messages().isEmpty());
        QCOMPARE(m_emulator.SimCtl({"backup-password", kUdid}), 0);
    }
};

QTEST_MAIN(TestRecordPagesUsb)
#include "tst_record_pages_usb.moc"
