#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "ConnectWidget.h"
#include "DeviceTestRegistry.h"
#include "MessageCatcher.h"
#include "QImageButton.h"
#include "QImageDialog.h"
#include "QRightFuntionWidget.h"

// The waiting, connecting and failed screens and the home tools column.

namespace {
bool Shown(const ConnectWidget& screen, const char* page) {
    return screen.findChild<QWidget*>(page)->isVisible();
}
} // namespace

class tst_ConnectionScreens : public QObject {
    Q_OBJECT
private slots:
    void exactlyOneGroupIsVisiblePerStateAndOthersAreRefused() {
        ConnectWidget screen;
        screen.show();
        const char* pages[] = {"m_beforeConPage", "m_connecttingPage", "m_failPage"};
        for (int state = 0; state < 3; ++state) {
            QVERIFY(screen.setConnectState(state));
            QCOMPARE(screen.ConnectState(), state);
            for (int page = 0; page < 3; ++page)
                QCOMPARE(Shown(screen, pages[page]), page == state);
        }
        // An unknown state leaves the last screen as it was.
        QVERIFY(!screen.setConnectState(3));
        QVERIFY(!screen.setConnectState(-1));
        QCOMPARE(screen.ConnectState(), int(ConnectionFailed));
        QVERIFY(Shown(screen, "m_failPage"));
    }

    void cancelConfirmationDecidesBetweenConnectingAndFailedAndRetryConnectsAgain() {
        ConnectWidget screen;
        screen.show();
        screen.setConnectState(Connecting);

        AnswerCancelDialog(screen, "m_btnCancel");
        QCOMPARE(screen.ConnectState(), int(Connecting));
        QVERIFY(!screen.CancelDialog());

        AnswerCancelDialog(screen, "m_btnClose");
        QCOMPARE(screen.ConnectState(), int(Connecting));

        AnswerCancelDialog(screen, "m_btnOk");
        QCOMPARE(screen.ConnectState(), int(ConnectionFailed));
        QVERIFY(Shown(screen, "m_failPage"));
        QVERIFY(!screen.CancelDialog());
        // Retry on the failed screen connects again.
        screen.findChild<QImageButton*>("m_btnRetry")->click();
        QCOMPARE(screen.ConnectState(), int(Connecting));
    }

    void waitingScreenSaysHowDevicesAreReached_data() {
        QTest::addColumn<int>("transport");
        QTest::addColumn<QStringList>("words"); // empty: nothing is said
        QTest::newRow("simulator") << int(VEXA_TRANSPORT_SIMULATOR) << QStringList();
        QTest::newRow("usbmuxd listens") << int(VEXA_TRANSPORT_LISTENING) << QStringList();
        QTest::newRow("usbmuxd not started") << int(VEXA_TRANSPORT_WAITING) << QStringList{"Plug", "unlock"};
        QTest::newRow("usbmuxd not installed")
            << int(VEXA_TRANSPORT_NOT_INSTALLED) << QStringList{"Debian package", "apt install usbmuxd"};
    }

    void waitingScreenSaysHowDevicesAreReached() {
        QFETCH(int, transport);
        QFETCH(QStringList, words);
        ConnectWidget screen;
        screen.show();
        screen.ShowTransport(transport);
        auto* label = screen.findChild<QLabel*>("m_transportLabel");
        QCOMPARE(label->isVisible(), !words.isEmpty());
        for (const QString& word : words)
            QVERIFY2(label->text().contains(word), qPrintable(label->text()));
        // The screen follows the library's own answer while it waits (the simulator here).
        QTRY_VERIFY(!label->isVisible());
    }

    void toDeviceStaysDisabledOnceDisabled() {
        QRightFuntionWidget tools;
        const char* transfer[] = {"m_btnToComputer", "m_btnToiTunes", "m_btnBackup", "m_btnRestore"};
        QVERIFY(tools.Button("m_btnToDevice")->isEnabled());

        tools.SetToolsEnabled(0);
        for (const char* name : transfer)
            QVERIFY2(!tools.Button(name)->isEnabled(), name);
        QVERIFY(!tools.Button("m_btnToDevice")->isEnabled());
        QVERIFY(tools.Button("m_btnTools")->isEnabled());

        tools.SetToolsEnabled(1);
        for (const char* name : transfer)
            QVERIFY2(tools.Button(name)->isEnabled(), name);
        QVERIFY(tools.Button("m_btnTools")->isEnabled());
        QVERIFY(!tools.Button("m_btnToDevice")->isEnabled());
    }

private:
    static void AnswerCancelDialog(ConnectWidget& screen, const char* button) {
        QTimer::singleShot(50, &screen, [&screen, button] {
            QImageDialog* dialog = screen.CancelDialog();
            QVERIFY(dialog);
            QVERIFY(dialog->isVisible());
            dialog->findChild<QImageButton*>(button)->click();
        });
        screen.findChild<QImageButton*>("m_btnCancel")->click();
    }

    MessageCatcher m_messages;
};

VEXA_DEVICE_TEST(tst_ConnectionScreens);
#include "tst_ConnectionScreens.moc"
