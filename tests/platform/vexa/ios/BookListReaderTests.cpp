// The phone's list of books, written by Python's plistlib: the entries a phone keeps, the keys it may
// leave out, entries that must not be followed, and lists that are not lists at all.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "IosTests.h"
#include "ios/BookListReader.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

class BookListReaderTests : public QObject {
    Q_OBJECT

private slots:
    void readsWhatPlistlibWrites_data() {
        QTest::addColumn<QString>("books"); // a Python expression for the whole file
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("listed");
        const QString entries = QStringLiteral(
            "{'Books': [{'Name': 'Salt', 'Artist': 'Ines', 'Path': 'Salt.epub', 'Package Hash': 'A' * 32,"
            " 'Persistent ID': 'A' * 16, 'Inserted-By-iBooks': True},"
            " {'Path': 'Purchases/山间小路.pdf', 'Extra': 1}, {'Path': '../../Library/SMS/sms.db'},"
            " {'Path': '/var/mobile/x.pdf'}, {'Name': 'no path'}, 'not a book', {'Path': 7}]}");
        const QString listed =
            QStringLiteral("Salt|Ines|Salt.epub|AAAAAAAAAAAAAAAA|1\n||Purchases/山间小路.pdf||0\n");
        QTest::newRow("binary") << QStringLiteral("plistlib.dumps(%1, fmt=plistlib.FMT_BINARY)").arg(entries)
                                << int(kReadOk) << listed;
        QTest::newRow("xml") << QStringLiteral("plistlib.dumps(%1)").arg(entries) << int(kReadOk) << listed;
        QTest::newRow("no array") << QStringLiteral("plistlib.dumps({'Version': 1})") << int(kReadOk)
                                  << QString();
        QTest::newRow("array of another type")
            << QStringLiteral("plistlib.dumps({'Books': 'none'})") << int(kReadDamaged) << QString();
        QTest::newRow("root is an array")
            << QStringLiteral("plistlib.dumps([{'Path': 'a.pdf'}])") << int(kReadDamaged) << QString();
        QTest::newRow("cut short") << QStringLiteral("plistlib.dumps(%1)[:300]").arg(entries)
                                   << int(kReadDamaged) << QString();
        QTest::newRow("missing") << QString() << int(kReadMissing) << QString();
    }

    void readsWhatPlistlibWrites() {
        QFETCH(QString, books);
        QFETCH(int, expected);
        QFETCH(QString, listed);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Books.plist"));
        if (!books.isEmpty()) {
            QProcess python;
            python.start(
                QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import plistlib, sys\nopen(sys.argv[1], 'wb').write(%1)").arg(books), file});
            QVERIFY(python.waitForFinished(30000));
            QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        }
        std::vector<BookListEntry> read{{"left over", "", "x.pdf", "", "", false}};
        QCOMPARE(BookListReader::Read(file.toStdString(), read), expected);
        QString text;
        for (const BookListEntry& book : read)
            text += QString::fromStdString(book.name + "|" + book.artist + "|" + book.path + "|" +
                                           book.persistentId + "|") +
                    QString::number(book.madeByIBooks) + QLatin1Char('\n');
        QCOMPARE(text, listed);
    }
};

VEXA_IOS_TEST(BookListReaderTests)
#include "BookListReaderTests.moc"
