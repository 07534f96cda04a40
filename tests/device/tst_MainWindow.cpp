#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "DeviceTestRegistry.h"
#include "LanguageService.h"
#include "MainWindow.h"
#include "MessageCatcher.h"
#include "QImageButton.h"
#include "QProUtil.h"

// The frameless main window: resizing by its strips, maximise and restore, and the language menu.

class tst_MainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_appDir.isValid());
        WriteLanguageFile(m_appDir.path());
        QFile::remove(UserLanguageFilePath());
        SetAppDirPathForTesting(m_appDir.path());
    }

    void eachStripMovesOnlyItsOwnEdges_data() {
        // The window starts at left 100, top 100, right 1299, bottom 899; the mouse is released at
        // (60, 40) for edges that move outwards to the top-left and at (1400, 950) otherwise.
        QTest::addColumn<QString>("strip");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("expected");
        const QPoint topLeft(60, 40);
        const QPoint bottomRight(1400, 950);
        QTest::newRow("left") << "m_left" << topLeft << QRect(QPoint(60, 100), QPoint(1299, 899));
        QTest::newRow("top-left") << "m_leftTop" << topLeft << QRect(QPoint(60, 40), QPoint(1299, 899));
        QTest::newRow("top") << "m_top" << topLeft << QRect(QPoint(100, 40), QPoint(1299, 899));
        QTest::newRow("top-right") << "m_rightTop" << QPoint(1400, 40)
                                   << QRect(QPoint(100, 40), QPoint(1400, 899));
        QTest::newRow("right") << "m_right" << bottomRight << QRect(QPoint(100, 100), QPoint(1400, 899));
        QTest::newRow("bottom-right")
            << "m_rightBottom" << bottomRight << QRect(QPoint(100, 100), QPoint(1400, 950));
        QTest::newRow("bottom") << "m_bottom" << bottomRight << QRect(QPoint(100, 100), QPoint(1299, 950));
        QTest::newRow("bottom-left") << "m_leftBottom" << QPoint(60, 950)
                                     << QRect(QPoint(60, 100), QPoint(1299, 950));
    }

    void eachStripMovesOnlyItsOwnEdges() {
        QFETCH(QString, strip);
        QFETCH(QPoint, to);
        QFETCH(QRect, expected);
        MainWindow window;
        window.setGeometry(100, 100, 1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        DragStrip(window.findChild<QWidget*>(strip), to);
        QCOMPARE(window.geometry(), expected);
    }

    void resizingStopsAtTheMinimumSize() {
        MainWindow window;
        window.setGeometry(100, 100, 1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Dragging the left edge past the right one must neither flip nor push the window.
        DragStrip(window.findChild<QWidget*>("m_left"), QPoint(1250, 300));
        QCOMPARE(window.geometry().right(), 1299);
        QVERIFY(window.width() >= window.minimumWidth());
        DragStrip(window.findChild<QWidget*>("m_bottom"), QPoint(500, 120));
        QCOMPARE(window.geometry().top(), 100);
        QVERIFY(window.height() >= window.minimumHeight());
    }

    void maximiseAndRestoreSwapTheirButtons() {
        MainWindow window;
        window.show();
        auto* maximise = window.findChild<QImageButton*>("m_btnMax");
        auto* restore = window.findChild<QImageButton*>("m_btnRestore");
        QVERIFY(maximise->isVisible());
        QVERIFY(!restore->isVisible());
        maximise->click();
        QVERIFY(!maximise->isVisible());
        QVERIFY(restore->isVisible());
        restore->click();
        QVERIFY(maximise->isVisible());
        QVERIFY(!restore->isVisible());
    }

    void languageMenuOffersTheKnownLanguages() {
        MainWindow window;
        QMenu* languages = window.LanguageMenu();
        QVERIFY(languages->menuAction()->isVisible());
        QStringList texts;
        for (QAction* action : languages->actions()) {
            texts << action->text();
            QVERIFY(action->isCheckable());
            QCOMPARE(action->isChecked(), action->text() == QLatin1String("English"));
        }
        // In ascending code order; the entry with a display name the program does not know gets no action.
        QCOMPARE(texts, QStringList({"Chinese", "English", "German"}));
    }

    void languageEntriesSwitchTheLanguageAndTheCheckMarkFollows() {
        MainWindow window;
        QSignalSpy changed(QProUtil::instance(), &QProUtil::languageChanged);
        window.onBtnGerman();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(CurrentLanguage(), 42);
        int checked = 0;
        for (QAction* action : window.LanguageMenu()->actions()) {
            checked += action->isChecked() ? 1 : 0;
            if (action->isChecked())
                QCOMPARE(action->text(), QStringLiteral("German"));
        }
        QCOMPARE(checked, 1);
        window.onBtnEnglis();
        QCOMPARE(CurrentLanguage(), 31);
    }

    void withoutLanguageFileTheMenuIsHidden() {
        QTemporaryDir bare;
        SetAppDirPathForTesting(bare.path());
        QFile::remove(UserLanguageFilePath());
        {
            MainWindow window;
            QVERIFY(!window.LanguageMenu()->menuAction()->isVisible());
            QSignalSpy changed(QProUtil::instance(), &QProUtil::languageChanged);
            window.onBtnChinese();
            QCOMPARE(changed.count(), 0);
        }
        SetAppDirPathForTesting(m_appDir.path());
    }

    void cleanupTestCase() {
        QFile::remove(UserLanguageFilePath());
        SetAppDirPathForTesting(QString());
    }

private:
    static void WriteLanguageFile(const QString& folder) {
        QDir().mkpath(folder + QStringLiteral("/Language"));
        QFile file(folder + QStringLiteral("/Language/language.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("<Languages>\n"
                   "  <Item Type=\"42\" Display=\"German\" Folder=\"German\" QMFile=\"vexa_de.qm\"/>\n"
                   "  <Item Type=\"31\" Display=\"English\" Folder=\"English\" QMFile=\"vexa_en.qm\"/>\n"
                   "  <Item Type=\"25\" Display=\"Chinese\" Folder=\"Chinese\" QMFile=\"vexa_zh.qm\"/>\n"
                   "  <Item Type=\"44\" Display=\"Klingon\" Folder=\"Klingon\" QMFile=\"vexa_tlh.qm\"/>\n"
                   "  <Setting Type=\"31\"/>\n"
                   "</Languages>\n");
    }

    static void DragStrip(QWidget* strip, const QPoint& to) {
        const QPoint inside(strip->width() / 2, strip->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, inside, strip->mapToGlobal(inside), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &press);
        QMouseEvent move(QEvent::MouseMove, strip->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(strip, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, strip->mapFromGlobal(to), to, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &release);
    }

    MessageCatcher m_messages;
    QTemporaryDir m_appDir;
};

VEXA_DEVICE_TEST(tst_MainWindow);
#include "tst_MainWindow.moc"
