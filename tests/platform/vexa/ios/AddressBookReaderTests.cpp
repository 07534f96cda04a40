// The address book reader on files made by hand the way phones of several versions write them: extra and
// missing columns, custom and built-in labels, values of the wrong type, and damaged files.
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "IosTests.h"
#include "ios/AddressBookReader.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

namespace {

std::string Optional(const std::optional<std::string>& text) {
    return text ? *text : std::string("-");
}

std::string Values(const std::vector<AddressBookValue>& values) {
    std::string text;
    for (const AddressBookValue& value : values)
        text += "[" + value.label + (value.builtInLabel ? "*" : "") + "=" + value.value + "]";
    return text;
}

// One line per person and group, so a row of test data states the whole expected result.
std::string Describe(const AddressBook& book) {
    std::string text;
    for (const AddressBookPerson& person : book.people) {
        text += std::to_string(person.id) + ":" + Optional(person.firstName) + "," +
                Optional(person.lastName) + "," + Optional(person.birthday) + Values(person.phones) +
                Values(person.emails) + Values(person.urls);
        for (const AddressBookAddress& address : person.addresses)
            text += "{" + address.label + "|" + address.street + "|" + address.city + "|" + address.region +
                    "|" + address.postalCode + "|" + address.country + "}";
        text += ";";
    }
    for (const AddressBookGroup& group : book.groups) {
        text += group.name + "(";
        for (int64_t id : group.memberIds)
            text += std::to_string(id) + " ";
        text += ");";
    }
    return text;
}

// The tables as a recent phone has them, with more columns than the reader looks at.
constexpr const char* kPhoneTables =
    "CREATE TABLE ABPerson(ROWID INTEGER PRIMARY KEY AUTOINCREMENT, First TEXT, Last TEXT, Middle TEXT,"
    " FirstPhonetic TEXT, Organization TEXT, Department TEXT, Note TEXT, Kind INTEGER, Birthday TEXT,"
    " JobTitle TEXT, Nickname TEXT, Prefix TEXT, CreationDate INTEGER, ModificationDate INTEGER,"
    " StoreID INTEGER, ImageURI TEXT, guid TEXT);"
    "CREATE TABLE ABMultiValue(UID INTEGER PRIMARY KEY, record_id INTEGER, property INTEGER,"
    " identifier INTEGER, label INTEGER, value TEXT, guid TEXT);"
    "CREATE TABLE ABMultiValueLabel(value TEXT, UNIQUE(value));"
    "CREATE TABLE ABMultiValueEntryKey(value TEXT, UNIQUE(value));"
    "CREATE TABLE ABMultiValueEntry(parent_id INTEGER, key INTEGER, value TEXT, UNIQUE(parent_id, key));"
    "CREATE TABLE ABGroup(ROWID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, StoreID INTEGER);"
    "CREATE TABLE ABGroupMembers(UID INTEGER PRIMARY KEY, group_id INTEGER, member_type INTEGER,"
    " member_id INTEGER);"
    "CREATE TABLE ABStore(ROWID INTEGER PRIMARY KEY, Name TEXT);";

constexpr const char* kPhoneRows =
    "INSERT INTO ABPerson(ROWID, First, Last, Birthday, CreationDate, guid) VALUES"
    " (1, 'Zoë', 'Ito', '-649648800', 700000000, 'x'), (2, NULL, 'Only', NULL, NULL, NULL);"
    "INSERT INTO ABMultiValueLabel(ROWID, value) VALUES (1, '_$!<Mobile>!$_'), (2, 'Boat'),"
    " (3, '_$!<Home>!$_');"
    "INSERT INTO ABMultiValueEntryKey(ROWID, value) VALUES (1, 'Street'), (2, 'ZIP'), (3, 'CountryCode'),"
    " (4, 'State'), (5, 'City');"
    "INSERT INTO ABMultiValue(UID, record_id, property, identifier, label, value) VALUES"
    " (1, 1, 3, 0, 1, '+81 3 1234 5678'), (2, 1, 3, 1, 2, '+81 90 0000'), (3, 1, 4, 0, 3, 'zoe@example.jp'),"
    " (4, 1, 5, 0, 3, NULL), (5, 1, 13, 0, NULL, 'im'), (6, 9, 3, 0, 1, 'nobody'), (7, 2, 22, 0, NULL,"
    " 'https://example.org');"
    "INSERT INTO ABMultiValueEntry(parent_id, key, value) VALUES (4, 1, '1-2 Chiyoda'), (4, 2, '100-0001'),"
    " (4, 3, 'jp'), (4, 4, 'Tokyo-to'), (4, 5, 'Tokyo');"
    "INSERT INTO ABGroup(ROWID, Name) VALUES (1, 'Family'), (2, 'Empty');"
    "INSERT INTO ABGroupMembers(group_id, member_type, member_id) VALUES (1, 0, 2), (1, 0, 1), (1, 1, 2),"
    " (1, 0, 9);";

} // namespace

class AddressBookReaderTests : public QObject {
    Q_OBJECT

private slots:
    void readsTheTablesOfAPhoneOrAnyPartOfThem_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("expected");
        // Numbers of an unknown kind and of a person that is gone are not listed; neither are a group
        // inside a group and a member that is no person.
        QTest::newRow("phone") << QByteArray(kPhoneTables) + kPhoneRows
                               << QByteArray(
                                      "1:Zoë,Ito,1980-06-01[Mobile*=+81 3 1234 5678][Boat=+81 90 0000]"
                                      "[Home*=zoe@example.jp]{Home|1-2 Chiyoda|Tokyo|Tokyo-to|100-0001|};"
                                      "2:-,Only,-[=https://example.org];Family(1 2 );Empty();");
        QTest::newRow("only the people table")
            << QByteArray("CREATE TABLE ABPerson(ROWID INTEGER PRIMARY KEY, Last TEXT);"
                          "INSERT INTO ABPerson VALUES (5, 'Solo');")
            << QByteArray("5:-,Solo,-;");
        QTest::newRow("no labels table")
            << QByteArray("CREATE TABLE ABPerson(ROWID INTEGER PRIMARY KEY, First TEXT);"
                          "CREATE TABLE ABMultiValue(record_id INTEGER, property INTEGER, label INTEGER,"
                          " value TEXT);"
                          "INSERT INTO ABPerson VALUES (1, 'Ann');"
                          "INSERT INTO ABMultiValue VALUES (1, 3, 7, '555');")
            << QByteArray("1:Ann,-,-[=555];");
        QTest::newRow("wrong types")
            << QByteArray("CREATE TABLE ABPerson(ROWID INTEGER PRIMARY KEY, First, Last, Birthday,"
                          " CreationDate);"
                          "CREATE TABLE ABMultiValue(record_id, property, label, value);"
                          "CREATE TABLE ABGroup(ROWID INTEGER PRIMARY KEY, Name);"
                          "CREATE TABLE ABGroupMembers(group_id, member_id);"
                          "INSERT INTO ABPerson VALUES (1, 42, x'00ff', 'soon', 'then');"
                          "INSERT INTO ABMultiValue VALUES ('1', '3', 'Mobile', 12345), (1, 'x', 1, 'a');"
                          "INSERT INTO ABGroup VALUES (3, 7);"
                          "INSERT INTO ABGroupMembers VALUES ('3', 'one');")
            << QByteArray("1:42,") + QByteArray("\0\xff", 2) + QByteArray(",-[=12345];7();");
    }
    void readsTheTablesOfAPhoneOrAnyPartOfThem() {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const std::string file = dir.filePath("AddressBook.sqlitedb").toStdString();
        QVERIFY(ExecuteSql(file, script.constData()));
        AddressBook book;
        QCOMPARE(AddressBookReader::Read(file, book), int(kReadOk));
        QCOMPARE(QByteArray::fromStdString(Describe(book)), expected);
    }

    void answersAFileThatIsNoAddressBookWithItsCode() {
        QTemporaryDir dir;
        const std::string file = dir.filePath("AddressBook.sqlitedb").toStdString();
        AddressBook book;
        book.people.resize(1); // what a failed read leaves: nothing
        QCOMPARE(AddressBookReader::Read(file, book), int(kReadMissing));
        QVERIFY(book.people.empty());

        QVERIFY(ExecuteSql(file, "CREATE TABLE message(text TEXT);"));
        QCOMPARE(AddressBookReader::Read(file, book), int(kReadDamaged));

        // A real address book whose pages after the first are overwritten.
        QVERIFY(QFile::remove(QString::fromStdString(file)));
        QVERIFY(
            ExecuteSql(file, (std::string("PRAGMA page_size=1024;") + kPhoneTables + kPhoneRows).c_str()));
        {
            std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
            out.seekp(1024);
            const std::string garbage(4096, '\x5a');
            out.write(garbage.data(), std::streamsize(garbage.size()));
        }
        QCOMPARE(AddressBookReader::Read(file, book), int(kReadDamaged));
        QVERIFY(book.people.empty() && book.groups.empty());
    }

    void convertsLabelsAndBirthdays_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("birthday");
        QTest::newRow("midnight UTC") << -649641600.0 << "1980-06-01";
        QTest::newRow("local midnight east of UTC") << -649641600.0 - 2 * 3600 << "1980-06-01";
        QTest::newRow("local midnight west of UTC") << -649641600.0 + 8 * 3600 << "1980-06-01";
        QTest::newRow("no year given") << -12528172800.0 << "1604-01-01";
        QTest::newRow("leap day") << 352166400.0 << "2012-02-29";
    }
    void convertsLabelsAndBirthdays() {
        QFETCH(double, seconds);
        QFETCH(QString, birthday);
        QCOMPARE(QString::fromStdString(BirthdayFromAppleSeconds(seconds).value_or("none")), birthday);
        const auto back = AppleSecondsFromBirthday(birthday.toStdString());
        QVERIFY(back);
        QCOMPARE(BirthdayFromAppleSeconds(*back), std::optional<std::string>(birthday.toStdString()));

        bool builtIn = false;
        QCOMPARE(UnwrapAddressBookLabel(WrapAddressBookLabel("HomeFAX"), &builtIn),
                 std::string_view("HomeFAX"));
        QVERIFY(builtIn);
        for (const char* custom : {"Boat", "_$!<>!$_", "_$!<Open", ""}) {
            QCOMPARE(UnwrapAddressBookLabel(custom, &builtIn), std::string_view(custom));
            QVERIFY(!builtIn);
        }
        QVERIFY(!AppleSecondsFromBirthday("1980-13-01") && !AppleSecondsFromBirthday("1980-06-01x"));
    }
};

VEXA_IOS_TEST(AddressBookReaderTests)
#include "AddressBookReaderTests.moc"
