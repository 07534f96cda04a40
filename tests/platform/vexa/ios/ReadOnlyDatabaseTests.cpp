// Opening a phone's database: the copy sees what the -wal sibling holds, leaves the original untouched,
// and a missing or foreign file gets its code.
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include <sqlite3.h>

#include "IosTests.h"
#include "TestFiles.h"
#include "ios/AppleTime.h"
#include "ios/ReadOnlyDatabase.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

class ReadOnlyDatabaseTests : public QObject {
    Q_OBJECT

private slots:
    void readsRowsStillInTheWriteAheadLog() {
        QTemporaryDir dir;
        const std::string file = dir.filePath("sms.db").toStdString();
        sqlite3* writer = nullptr;
        QCOMPARE(sqlite3_open(file.c_str(), &writer), SQLITE_OK);
        // A writer that never checkpoints, as a phone's app between two syncs: the rows are only in -wal.
        QCOMPARE(sqlite3_exec(writer,
                              "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                              "CREATE TABLE message(ROWID INTEGER PRIMARY KEY, text TEXT);"
                              "INSERT INTO message(text) VALUES ('one'), ('two');",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        QVERIFY(QFileInfo(dir.filePath("sms.db-wal")).size() > 0);
        const qint64 originalSize = QFileInfo(dir.filePath("sms.db")).size();

        ReadOnlyDatabase database;
        QCOMPARE(database.Open(file), int(kReadOk));
        QVERIFY(database.HasTable("message"));
        QVERIFY(!database.HasTable("chat"));
        QCOMPARE(database.FirstTable({"ZASSET", "message"}), std::string("message"));
        QVERIFY(database.Columns("message").count("text") == 1);
        Query count(database, "SELECT count(*) FROM message");
        QVERIFY(count.Next());
        QCOMPARE(count.Int(0), 2);
        const std::filesystem::path copy = database.CopiedFile();
        database.Close();
        QVERIFY(!std::filesystem::exists(copy));
        QCOMPARE(QFileInfo(dir.filePath("sms.db")).size(), originalSize);
        sqlite3_close(writer);
    }

    void answersMissingAndForeignFilesWithTheirCodes_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << QByteArray() << int(kReadMissing);
        QTest::newRow("text file") << QByteArray("BEGIN:VCARD\nEND:VCARD\n").repeated(200)
                                   << int(kReadDamaged);
        QByteArray header("SQLite format 3", 16);
        QTest::newRow("header only") << header + QByteArray(4080, '\xff') << int(kReadDamaged);
    }
    void answersMissingAndForeignFilesWithTheirCodes() {
        QFETCH(QByteArray, content);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString file = dir.filePath("AddressBook.sqlitedb");
        QVERIFY(content.isEmpty() || WriteFile(file, content));
        for (auto mode : {ReadOnlyDatabase::Mode::Copy, ReadOnlyDatabase::Mode::InPlace}) {
            ReadOnlyDatabase database;
            QCOMPARE(database.Open(file.toStdString(), mode), expected);
            QVERIFY(database.Handle() == nullptr);
            Query query(database, "SELECT 1");
            QVERIFY(!query.Next());
        }
    }

    void convertsAppleTimes() {
        // 2023-11-14 22:13:20 UTC, as seconds (address book, call history) and nanoseconds (sms.db).
        QCOMPARE(UnixFromAppleSeconds(721692800.5), int64_t(1700000000));
        QCOMPARE(UnixFromMessageDate(721692800LL * 1000000000LL), int64_t(1700000000));
        QCOMPARE(UnixFromMessageDate(721692800LL), int64_t(1700000000)); // an iOS 10 database
        QCOMPARE(MessageDateFromUnix(1700000000), 721692800LL * 1000000000LL);
    }
};

VEXA_IOS_TEST(ReadOnlyDatabaseTests)
#include "ReadOnlyDatabaseTests.moc"
