#include <functional>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "CDesktopOpen.h"
#include "CMessageLayout.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "TestFolders.h"

namespace {

enum class Press { First, Second, Close, Escape };

QImageButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QImageButton*>(QLatin1String(name));
}

void press(QWidget* dialog, Press which) {
    static const char* const names[] = {"m_btnOk", "m_btnCancel", "m_btnClose"};
    if (which == Press::Escape)
        QTest::keyClick(dialog, Qt::Key_Escape);
    else
        QTest::mouseClick(button(dialog, names[int(which)]), Qt::LeftButton);
}

// Runs `action` on the message dialog once ShowMessage() has it on screen.
void whenShown(std::function<void(QMessageDlg*)> action) {
    QTimer::singleShot(0, qApp, [action] {
        auto* dialog = qobject_cast<QMessageDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QFAIL("no message dialog is shown");
        }
        action(dialog);
    });
}

// Frame pieces and button strips of the sizes the installed program ships.
void writePictures(TestFolders& folders) {
    const QString pic = folders.AppDir() + QStringLiteral("/Language/English/pic/");
    const QList<QColor> states{Qt::green, Qt::yellow, Qt::red, Qt::gray};
    for (const char* name : {"button_ok.png", "button_cancel.png", "button_yes.png", "button_no.png",
                             "button_Restart.png", "button_Restart_later.png"}) {
        folders.WriteImage(pic + QLatin1String(name), QSize(90, 30), states);
    }
    folders.WriteImage(pic + QStringLiteral("button_close.png"), QSize(24, 24), states);
    folders.WriteImage(pic + QStringLiteral("message_top.png"), QSize(420, 40), {Qt::darkCyan});
    folders.WriteImage(pic + QStringLiteral("message_bottom.png"), QSize(420, 60), {Qt::cyan});
    folders.WriteImage(pic + QStringLiteral("message_line_left.png"), QSize(2, 10), {Qt::darkCyan});
    folders.WriteImage(pic + QStringLiteral("message_line_right.png"), QSize(2, 10), {Qt::darkCyan});
    folders.WriteImage(pic + QStringLiteral("msg_title_icon.png"), QSize(20, 20), {Qt::white});
    for (const char* name : {"warning.png", "Success.png", "error.png"}) {
        folders.WriteImage(pic + QLatin1String(name), QSize(48, 48), {Qt::blue});
    }
}

} // namespace

enum class OpenRoute { Link, FileExport, FolderExport };

class TestMessageDlg : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_folders = std::make_unique<TestFolders>();
        m_folders->WriteInstalledLanguageFile();
        writePictures(*m_folders);
    }

    void cleanup() { m_folders.reset(); }

    void resultCodes_data() {
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("expected");
        const auto first = int(Press::First);
        const auto second = int(Press::Second);
        const auto close = int(Press::Close);
        const auto escape = int(Press::Escape);
        QTest::newRow("plain ok") << quint32(0) << first << 0;
        QTest::newRow("plain close") << quint32(0) << close << 1;
        QTest::newRow("plain escape") << quint32(0) << escape << 1;
        QTest::newRow("warning ok") << quint32(MSG_WARNING) << first << 0;
        QTest::newRow("warning close") << quint32(MSG_WARNING) << close << 1;
        QTest::newRow("error ok") << quint32(MSG_ERROR) << first << 0;
        QTest::newRow("two buttons ok") << quint32(MSG_TWO_BUTTONS) << first << 0;
        QTest::newRow("two buttons cancel") << quint32(MSG_TWO_BUTTONS) << second << 1;
        QTest::newRow("yes") << quint32(MSG_YESNO) << first << 2;
        QTest::newRow("no") << quint32(MSG_YESNO) << second << 3;
        QTest::newRow("yes/no close") << quint32(MSG_YESNO) << close << 3;
        QTest::newRow("yes/no escape") << quint32(MSG_YESNO) << escape << 3;
        QTest::newRow("warning yes") << quint32(MSG_YESNO | MSG_WARNING) << first << 2;
        QTest::newRow("restart later") << quint32(MSG_RESTART) << second << 1;
    }

    void resultCodes() {
        QFETCH(quint32, flags);
        QFETCH(int, pressed);
        QFETCH(int, expected);
        whenShown([pressed](QMessageDlg* dialog) { press(dialog, Press(pressed)); });
        QCOMPARE(ShowMessage(QStringLiteral("Delete the checked contacts?"), QString(), flags), expected);
    }

    void restartButtonDoesNotClose() {
        QMessageDlg dialog;
        dialog.SetFlags(MSG_RESTART);
        QSignalSpy restart(&dialog, &QMessageDlg::emitRestart);
        int result = -1;
        QTimer::singleShot(0, &dialog, [&] {
            press(&dialog, Press::First);
            QVERIFY(dialog.isVisible());
            QCOMPARE(restart.count(), 1);
            press(&dialog, Press::Second);
        });
        result = dialog.exec();
        QCOMPARE(result, 1);
    }

    void windowDeletedUnderOpenMessageEndsIt() {
        // A device page shows a question; the device leaves and its page goes while the question is open.
        auto* page = new QWidget;
        page->show();
        QApplication::setActiveWindow(page);
        QTRY_COMPARE(QApplication::activeWindow(), page);
        whenShown([page](QMessageDlg* dialog) {
            QCOMPARE(dialog->parentWidget(), page);
            delete page;
        });
        QCOMPARE(ShowMessage(QStringLiteral("Delete the checked contacts?"), QString(), MSG_YESNO),
                 int(MSG_RESULT_NO));
    }

    void emptyTitleKeepsProgramName() {
        QString shownTitle;
        QString shownMessage;
        whenShown([&](QMessageDlg* dialog) {
            shownTitle = dialog->Title();
            shownMessage = dialog->Message();
            press(dialog, Press::First);
        });
        ShowMessage(QStringLiteral("Done"), QString(), MSG_SUCCESS);
        QCOMPARE(shownTitle, QStringLiteral("Vexa Transfer"));
        QCOMPARE(shownMessage, QStringLiteral("Done"));

        whenShown([&](QMessageDlg* dialog) {
            shownTitle = dialog->Title();
            press(dialog, Press::First);
        });
        ShowMessageUtf8("Fertig", "Sicherung \xc3\xbc", 0);
        QCOMPARE(shownTitle, QStringLiteral("Sicherung \u00fc"));
    }

    void buttonsTooWideForTheirHalfKeepTheMarginAndDoNotOverlap() {
        CMessageLayout::Input input;
        input.width = 420;
        input.firstButton = QSize(200, 30);
        input.secondButton = QSize(190, 30);
        const CMessageLayout layout(input);
        QCOMPARE(layout.FirstButtonRect().left(), CMessageLayout::kMinimumButtonLeft);
        QVERIFY(!layout.FirstButtonRect().intersects(layout.SecondButtonRect()));
    }

    void longMessageGrowsTheDialogAndStaysInsideItsBody() {
        QMessageDlg shortDialog;
        shortDialog.SetFlags(MSG_ERROR);
        shortDialog.SetMessage(QStringLiteral("Failed."));
        QMessageDlg longDialog;
        longDialog.SetFlags(MSG_ERROR);
        longDialog.SetMessage(
            QStringLiteral("No iTunes is installed on this computer. Please install it first. ").repeated(6));
        longDialog.show();
        QVERIFY(longDialog.height() > shortDialog.height());
        QCOMPARE(longDialog.width(), shortDialog.width());
        // The text must end above the buttons and have room for all its lines, whatever its length.
        const QRect message = longDialog.MessageRect();
        const int needed =
            QFontMetrics(longDialog.MessageFont())
                .boundingRect(QRect(0, 0, message.width(), 100000), Qt::TextWordWrap, longDialog.Message())
                .height();
        QVERIFY(message.height() >= needed);
        QVERIFY(message.bottom() < button(&longDialog, "m_btnOk")->geometry().top());
        QVERIFY(message.top() >= 40);
        QVERIFY(message.right() < longDialog.width());
    }

    void missingImagesAreLoggedAndDialogStillWorks() {
        TestFolders empty;
        QTest::ignoreMessage(QtDebugMsg, "QMessageDlg::LoadTitleIconImg fail");
        QTest::ignoreMessage(QtDebugMsg, "QMessageDlg::LoadBorderImg fail");
        QTest::ignoreMessage(QtDebugMsg, "QMessageDlg::InitButton Load Yes Image fail");
        QTest::ignoreMessage(QtDebugMsg, "QMessageDlg::InitButton Load Cancel Image fail");
        QMessageDlg dialog;
        dialog.SetFlags(MSG_YESNO);
        auto* yes = button(&dialog, "m_btnOk");
        QCOMPARE(yes->text(), QStringLiteral("Yes"));
        QVERIFY(yes->width() >= 80);
        QTimer::singleShot(0, &dialog, [&] { press(&dialog, Press::First); });
        QCOMPARE(dialog.exec(), 2);
        QVERIFY(!dialog.grab().isNull());
    }

    void desktopOpenConfirmsExportsAndSaysWhatItCouldNotOpen_data() {
        QTest::addColumn<int>("route");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("openerWorks");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("messages");
        const QString site = QStringLiteral("https://www.quorvane.com/");
        const QString file = QStringLiteral("/tmp/out/contacts.vcf");
        const QString folder = QStringLiteral("/tmp/out");
        const QString noProgram =
            QStringLiteral("No program could be started to open %1.\nPlease open it yourself.");
        const QString fileDone =
            QStringLiteral("Exported to %1.\nDo you want to open the folder that holds it?");
        const QString folderDone = QStringLiteral("Exported into the folder %1.\nDo you want to open it?");
        QTest::newRow("link") << int(OpenRoute::Link) << site << false << true << site << QStringList();
        QTest::newRow("link, no browser")
            << int(OpenRoute::Link) << site << false << false << site << QStringList{noProgram.arg(site)};
        QTest::newRow("file export, left closed") << int(OpenRoute::FileExport) << file << false << true
                                                  << QString() << QStringList{fileDone.arg(file)};
        QTest::newRow("file export, folder opened") << int(OpenRoute::FileExport) << file << true << true
                                                    << folder << QStringList{fileDone.arg(file)};
        QTest::newRow("folder export, no file manager")
            << int(OpenRoute::FolderExport) << folder << true << false << folder
            << QStringList{folderDone.arg(folder), noProgram.arg(folder)};
    }

    void desktopOpenConfirmsExportsAndSaysWhatItCouldNotOpen() {
        QFETCH(int, route);
        QFETCH(QString, target);
        QFETCH(bool, answerYes);
        QFETCH(bool, openerWorks);
        QFETCH(QString, opened);
        QFETCH(QStringList, messages);
        QString tried;
        CDesktopOpen::SetOpenerForTesting([&tried, openerWorks](const QUrl& url) {
            tried = url.isLocalFile() ? url.toLocalFile() : url.toString();
            return openerWorks;
        });
        // The first message is the question; what follows is acknowledged.
        QStringList shown;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&shown, answerYes] {
            if (auto* dialog = qobject_cast<QMessageDlg*>(QApplication::activeModalWidget())) {
                shown << dialog->Message();
                press(dialog, shown.size() == 1 && answerYes ? Press::First : Press::Close);
            }
        });
        answerer.start(10);
        if (route == int(OpenRoute::Link))
            QCOMPARE(CDesktopOpen::Open(QUrl(target)), openerWorks);
        else if (route == int(OpenRoute::FileExport))
            CDesktopOpen::ConfirmFileExport(target);
        else
            CDesktopOpen::ConfirmFolderExport(target);
        CDesktopOpen::SetOpenerForTesting(nullptr);
        QCOMPARE(tried, opened);
        QCOMPARE(shown, messages);
    }

private:
    std::unique_ptr<TestFolders> m_folders;
};

int runMessageDlgTests(int argc, char** argv) {
    TestMessageDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MessageDlg.moc"
