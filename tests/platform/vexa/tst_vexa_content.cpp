// The content services of a simulated device: the demo device as the program sees it, every change and
// its refusals, the all-or-nothing rule, faults, and the files checked by readers we did not write.
#include <QDate>
#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <span>
#include <sqlite3.h>
#include <string>
#include <thread>

#include <vexa/VexaServices.h>

#include "ContentPrint.h"
#include "FolderDigest.h"
#include "TestFiles.h"

#include "formats/AudioFile.h"
#include "formats/BookFile.h"
#include "formats/ImageFile.h"
#include "formats/IpaFile.h"
#include "ios/PhotoLibraryReader.h"
#include "ios/ReadResult.h"
#include "sim/ContentServices.h"
#include "sim/SimDevice.h"
#include "sim/content/LegacyContent.h"
#include "sim/content/PendingRemoval.h"
#include "sim/content/PhoneNumbers.h"

using namespace vexa::sim;
namespace fs = std::filesystem;

namespace {

const char* kDemoUdid = "00008030001c2d3e4f5a6b7c8d9e0f1a2b3c4d5e";

std::string Text(const char* text) {
    return text ? text : "<null>";
}

std::string DisplayName(const ContactRecord& record) {
    std::string name;
    for (const char* part : {record.firstName, record.middleName, record.lastName}) {
        if (part && *part)
            name += (name.empty() ? "" : " ") + std::string(part);
    }
    return name;
}

// A contact as one line: its name and texts, then phones, e-mail and web addresses, then postal addresses.
std::string Flat(const ContactRecord& r) {
    std::string text = DisplayName(r);
    for (const char* field : {r.note, r.organization, r.department, r.jobTitle, r.birthday})
        text += "|" + Text(field);
    for (const auto& [entries, count] :
         {std::pair(r.phones, r.phoneCount), std::pair(r.secondList, r.secondCount),
          std::pair(r.urls, r.urlCount)})
        for (int i = 0; i < count; ++i)
            text += "|" + Text(entries[i].label) + "=" + Text(entries[i].value);
    for (const ContactAddress& a : std::span(r.addresses, size_t(r.addressCount)))
        text += "|" + Text(a.label) + ":" + Text(a.street) + "," + Text(a.city) + "," + Text(a.region) + "," +
                Text(a.postalCode) + "," + Text(a.country);
    return text;
}

// Every contact of the service a line, then each group that has members with their count.
std::string ContactsText(IContactService& service) {
    ContactList* list = nullptr;
    if (int code = service.GetContacts(&list))
        return "error " + std::to_string(code);
    std::string text;
    for (int i = 0; i < list->recordCount; ++i)
        text += Flat(list->records[i]) + "\n";
    for (int g = 0; g < list->groupCount; ++g)
        if (list->groups[g].memberCount > 0)
            text +=
                std::string(list->groups[g].name) + ":" + std::to_string(list->groups[g].memberCount) + "\n";
    return text;
}

// Every photo a line: id, kind, date, size in pixels and bytes, and path.
std::string PhotosText(IPhotoLibrary& library) {
    PhotoRecord* photos = nullptr;
    int count = 0;
    library.PrepareList();
    if (int code = library.GetPhotoList(&photos, &count))
        return "error " + std::to_string(code);
    std::string text;
    for (const PhotoRecord& p : std::span(photos, size_t(count)))
        text += std::string(p.id) + " " + std::to_string(p.kind) + " " + std::to_string(p.date) + " " +
                std::to_string(p.width) + "x" + std::to_string(p.height) + " " + std::to_string(p.fileSize) +
                " " + p.path + "\n";
    return text;
}

// What a Python script printed, trimmed; "failed: " and its complaint when it did not run through.
QString Python(const char* script, const QStringList& arguments) {
    return RunProgram(QStringLiteral("/usr/bin/python3"),
                      QStringList{"-c", QString::fromUtf8(script)} + arguments);
}

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// A media file's duration as ffprobe finds it, 0 when it finds none.
double ProbedSeconds(const fs::path& file) {
    return RunProgram("ffprobe",
                      {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", Q(file)})
        .toDouble();
}

// A small device of our own for tests that change things, so the demo device stays as generated.
std::shared_ptr<SimDevice> MakeSmallDevice(const fs::path& root, const std::string& udid) {
    LargeDeviceSpec spec;
    spec.udid = udid;
    spec.name = "Test iPhone";
    spec.contacts = 12;
    spec.messages = 30;
    spec.photos = 6;
    spec.songs = 4;
    spec.videos = 1;
    spec.apps = 1;
    spec.books = 2;
    if (GenerateLargeDevice(root, spec) != VEXA_OK)
        return nullptr;
    return std::make_shared<SimDevice>(root / udid);
}

// Where a listing puts what it lists when only its result code matters.
template <typename T> T* Ignored() {
    static T value{};
    return &value;
}

std::u16string U16(const fs::path& path) {
    return path.u16string();
}

// The services of the device the refusals are tried on, and the computer's files they are given.
struct Services {
    std::unique_ptr<IContactService> contacts;
    std::unique_ptr<IMediaLibrary> media;
    std::unique_ptr<IBookService> books;
    std::unique_ptr<IPhotoLibrary> photos;
    std::unique_ptr<IAlbumLibrary> albums;
    std::unique_ptr<IAppLibrary> apps;
    fs::path files;
    std::u16string File(const char* name) const { return U16(files / name); }
    int Save(ContactRecord record) const { return contacts->SaveContact(&record, 0); }
};

struct Refusal {
    const char* name;
    int expected;
    std::function<int(Services&)> call;
};

constexpr int kBad = VEXA_E_INVALID_ARGUMENT, kMissing = VEXA_E_NOT_FOUND, kProtected = VEXA_E_PROTECTED,
              kRange = VEXA_E_OUT_OF_RANGE;
constexpr const char* kCameraRoll = "00000000-0000-0000-0000-000000000001";
constexpr const char* kPhotoLibrary = "00000000-0000-0000-0000-000000000064";

const std::vector<Refusal>& Refusals() {
    using S = Services;
    static ContactEntry noValue[] = {{0, "home", nullptr}};
    static const std::vector<Refusal> rows = {
        {"contact: phones counted, none given", kBad,
         [](S& s) { return s.Save({.firstName = "Broken", .phoneCount = 2}); }},
        {"contact: a phone without a value", kBad,
         [](S& s) { return s.Save({.firstName = "Broken", .phoneCount = 1, .phones = noValue}); }},
        {"contact: addresses counted, none given", kBad, [](S& s) { return s.Save({.addressCount = 1}); }},
        {"contact: birthdays that are no dates", kBad,
         [](S& s) {
             int code = kBad;
             for (const char* birthday : {"1990-13-01", "1990-2-28", "28.02.1990", "1990-02-00"})
                 code = s.Save({.birthday = birthday}) == kBad ? code : VEXA_OK;
             return code;
         }},
        {"contact: unknown id", kMissing,
         [](S& s) { return s.Save({.id = "999999", .firstName = "Nobody"}); }},
        {"contact: an id that climbs", kMissing,
         [](S& s) { return s.Save({.id = "../1", .firstName = "Nobody"}); }},
        {"contact: no record", kBad, [](S& s) { return s.contacts->SaveContact(nullptr, 0); }},
        {"contact: listed nowhere", kBad, [](S& s) { return s.contacts->GetContacts(nullptr); }},
        {"contact: delete without an id", kBad, [](S& s) { return s.contacts->DeleteContact(nullptr); }},
        {"contact: delete an unknown id", kMissing, [](S& s) { return s.contacts->DeleteContact("424242"); }},
        {"group: built-in ones are protected", kProtected,
         [](S& s) {
             int code = kProtected;
             for (const char* builtIn : {"Friend", "Family", "Classmate", "Ungrouped"}) {
                 if (s.contacts->RenameGroup(builtIn, "Other") != kProtected ||
                     s.contacts->DeleteGroup(builtIn) != kProtected)
                     code = VEXA_OK;
             }
             return code;
         }},
        {"group: no name", kBad, [](S& s) { return s.contacts->CreateGroup(""); }},
        {"group: rename an unknown one", kMissing, [](S& s) { return s.contacts->RenameGroup("Nope", "X"); }},
        {"group: members of an unknown group", kMissing,
         [](S& s) {
             const char* groups[] = {"Family", "Nope"};
             return s.contacts->SetContactGroups("1", groups, 2);
         }},
        {"group: an unknown contact", kMissing,
         [](S& s) {
             const char* groups[] = {"Family"};
             return s.contacts->SetContactGroups("424242", groups, 1);
         }},
        {"media: a batch with a file that is no audio", VEXA_E_UNSUPPORTED,
         [](S& s) {
             const std::u16string good = s.File("song.mp3"), bad = s.File("notes.mp3");
             const char16_t* mixed[] = {good.c_str(), bad.c_str()};
             return s.media->AddMediaFileData(mixed, 2, nullptr, 0);
         }},
        {"media: into a playlist that is not there", kRange,
         [](S& s) {
             const std::u16string good = s.File("song.mp3");
             const char16_t* one[] = {good.c_str()};
             return s.media->AddMediaFileData(one, 1, nullptr, 42);
         }},
        {"media: delete positions past the end", kRange,
         [](S& s) {
             const MediaPosition positions[] = {{1, 0}, {0, 1000}};
             return s.media->DelMediaFileData(positions, 2);
         }},
        {"media: delete the library", kProtected, [](S& s) { return s.media->DeletePlaylist(0); }},
        {"media: delete a playlist past the end", kRange, [](S& s) { return s.media->DeletePlaylist(1000); }},
        {"media: a playlist without a name", kBad, [](S& s) { return s.media->AddPlaylist(u""); }},
        {"media: listed without a count", kBad,
         [](S& s) { return s.media->GetPlaylists(nullptr, Ignored<PlaylistRecord*>()); }},
        {"book: a file that is no book", VEXA_E_UNSUPPORTED,
         [](S& s) { return s.books->AddBook(s.File("plain.txt").c_str()); }},
        {"book: a missing file", kMissing, [](S& s) { return s.books->AddBook(s.File("none.pdf").c_str()); }},
        // A record naming a path outside the books is looked up, never taken as a file to delete.
        {"book: a record that leaves the books", kMissing,
         [](S& s) {
             BookRecord escaping{};
             std::strcpy(escaping.path, "/../device.json");
             return s.books->DeleteBook(escaping);
         }},
        {"photo: a batch with an unknown id", kMissing,
         [](S& s) {
             PhotoRecord* records = nullptr;
             int count = 0;
             s.photos->PrepareList();
             s.photos->GetPhotoList(&records, &count);
             const char* ids[] = {records[0].id, "no-such-photo"};
             return s.photos->DeletePhotos(ids, 2, 1, "Delete");
         }},
        {"photo: a thumbnail of nothing", kBad, [](S& s) { return s.photos->LoadThumbnail(nullptr); }},
        {"photo: a thumbnail outside the device", VEXA_E_PATH_ESCAPE,
         [](S& s) {
             PhotoRecord escaping{};
             escaping.path = "/../../device.json";
             return s.photos->LoadThumbnail(&escaping);
         }},
        {"album: import into the camera roll", kProtected,
         [](S& s) { return s.albums->ImportPhotoFile(s.File("picture.png").c_str(), kCameraRoll); }},
        {"album: import a file that is no picture", VEXA_E_UNSUPPORTED,
         [](S& s) { return s.albums->ImportPhotoFile(s.File("notes.mp3").c_str(), kPhotoLibrary); }},
        {"album: rename the camera roll", kProtected,
         [](S& s) { return s.albums->RenameAlbum(kCameraRoll, u"M"); }},
        {"album: delete the photo library", kProtected,
         [](S& s) { return s.albums->DeleteAlbum(kPhotoLibrary); }},
        {"app: a package that is no zip", VEXA_APP_INSTALL_ERROR,
         [](S& s) { return s.apps->InstallApp(s.File("broken.ipa").c_str()); }},
        {"app: a missing package", VEXA_APP_PUT_FILE_ERROR,
         [](S& s) { return s.apps->InstallApp(s.File("absent.ipa").c_str()); }},
        {"app: a package for a newer system", VEXA_APP_OS_TOO_OLD,
         [](S& s) { return s.apps->InstallApp(s.File("future.ipa").c_str()); }},
        {"app: back up an unknown app", VEXA_APP_BACKUP_FAILED,
         [](S& s) {
             const int code = s.apps->BackupApp("com.example.none", (s.files / "none.ipa").c_str(), 0);
             return fs::exists(s.files / "none.ipa") ? -1 : code;
         }},
        {"app: uninstall an unknown app", VEXA_APP_UNINSTALL_FAILED,
         [](S& s) { return s.apps->UninstallApp("com.example.none"); }},
        {"app: uninstall above the apps", VEXA_APP_UNINSTALL_FAILED,
         [](S& s) { return s.apps->UninstallApp(".."); }},
    };
    return rows;
}

} // namespace

class TestVexaContent : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = fs::path(m_dir.path().toStdString());
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(GenerateDemoDevice(m_root, kDemoUdid, "Demo iPhone"), int(VEXA_OK));
        qInfo("demo device generated in %lld ms", static_cast<long long>(timer.elapsed()));
        QVERIFY(SimDevice::IsDeviceFolder(m_root / kDemoUdid));
        QVERIFY(!fs::exists(m_root / kDemoUdid / ".staging" / "demo"));
        m_demo = std::make_shared<SimDevice>(m_root / kDemoUdid);
    }

    // The demo device

    // The demo device's sms.db and call history as Python's sqlite3 sees them, with the phone's table and
    // column names; texts kept only in attributedBody are decoded from the archive here, by its own rules.
    void demoMessagesAndCallsReadInAnIndependentReader() {
        const char* script = R"py(
import os, sqlite3, sys
root = sys.argv[1]
db = sqlite3.connect('file:' + os.path.join(root, 'Library/SMS/sms.db') + '?mode=ro', uri=True)
rows = db.execute("""SELECT m.guid, m.text, m.attributedBody, m.handle_id, m.service, m.date, m.is_from_me,
    m.is_read, m.cache_has_attachments, m.associated_message_type, c.style, c.chat_identifier, c.display_name
    FROM message m JOIN chat_message_join j ON j.message_id = m.ROWID JOIN chat c ON c.ROWID = j.chat_id""").fetchall()
def body_text(blob):
    at = blob.index(b'\x84\x01+') + 3
    n = blob[at]
    if n == 0x81:
        n, at = int.from_bytes(blob[at + 1:at + 3], 'little'), at + 2
    return blob[at + 1:at + 1 + n].decode('utf-8')
messages = [r for r in rows if r[9] == 0]
body_only = [r for r in messages if r[1] is None]
for r in body_only:
    assert body_text(r[2]).replace('\ufffc', '') != ''
assert all(r[5] > 10**17 for r in messages), 'dates in nanoseconds since 2001'
assert {43, 45} <= {r[10] for r in rows}
attachments = db.execute("""SELECT a.filename, a.mime_type, a.transfer_name, a.total_bytes
    FROM attachment a JOIN message_attachment_join j ON j.attachment_id = a.ROWID""").fetchall()
for name, mime, transfer, size in attachments:
    assert name.startswith('~/Library/SMS/Attachments/') and mime == 'image/jpeg', name
    assert os.path.getsize(os.path.join(root, name[2:])) == size, name
handles = db.execute('SELECT count(*) FROM handle h JOIN chat_handle_join j ON j.handle_id = h.ROWID').fetchone()[0]
calls = sqlite3.connect(os.path.join(root, 'Library/CallHistoryDB/CallHistory.storedata')).execute(
    'SELECT ZADDRESS, ZDATE, ZDURATION, ZORIGINATED, ZANSWERED, ZCALLTYPE FROM ZCALLRECORD').fetchall()
assert all(7e8 < c[1] < 8e8 and isinstance(c[2], float) for c in calls), 'seconds since 2001'
missed = sum(1 for c in calls if not c[3] and not c[4])
print(len(messages), round(len(body_only) * 3 / len(messages)), len(rows) - len(messages), len(attachments) > 0,
      handles > 25, len(calls), missed > 0)
)py";
        ContentCounts counts;
        QCOMPARE(CountContent(*m_demo, counts), int(VEXA_OK));
        // Every message is listed, about a third only in attributedBody, and tapbacks are rows of their own.
        QCOMPARE(Python(script, {Q(m_demo->Folder())}),
                 QString("%1 1 7 True True 30 True").arg(counts.messages));
    }
    void phoneNumbersMatchAsAPhoneMatchesThem_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("match");
        QTest::newRow("same") << QString("+49 30 123456") << QString("+49 30 123456") << true;
        QTest::newRow("spaces, dashes, brackets")
            << QString("(030) 12-34 56") << QString("030123456") << true;
        QTest::newRow("+49 vs 0049") << QString("+49 30 123456") << QString("0049 30 123456") << true;
        QTest::newRow("+49 vs national 0") << QString("+49 30 123456") << QString("030 / 123456") << true;
        QTest::newRow("mobile, national 0") << QString("+49 151 1234 567") << QString("0151-1234567") << true;
        QTest::newRow("without the area code") << QString("+1 555 0101") << QString("555-0101") << true;
        QTest::newRow("other area code") << QString("030 123456") << QString("040 123456") << false;
        QTest::newRow("other country") << QString("+49 30 123456") << QString("+33 30 123456") << false;
        QTest::newRow("too few trailing digits") << QString("123456") << QString("+49 30 123456") << false;
        QTest::newRow("short code, exact") << QString("22 333") << QString("22333") << true;
        QTest::newRow("short code, its tail") << QString("2333") << QString("22333") << false;
        QTest::newRow("no digits") << QString("Vodafone") << QString("Vodafone") << false;
    }
    void phoneNumbersMatchAsAPhoneMatchesThem() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, match);
        QCOMPARE(PhoneNumbersMatch(first.toStdString(), second.toStdString()), match);
        QCOMPARE(PhoneNumbersMatch(second.toStdString(), first.toStdString()), match);
    }

    // Contacts and groups

    // Contacts and groups are added, changed and deleted, and kept in the address book as a phone keeps them.
    void contactsAndGroupsAreAddedChangedAndDeleted() {
        auto device = SmallDevice();
        auto contacts = CreateContactService(device);
        ContactEntry phones[] = {
            {0, "mobile", "+44 20 7946 0000"}, {0, "work fax", "+44 20 7946 0001"}, {0, "Boat", "123"}};
        ContactEntry mails[] = {{0, "home", "zoë@example.org"}};
        ContactEntry urls[] = {{0, "homepage", "https://example.org/zoë?a=1,2;b"}};
        ContactAddress addresses[] = {{"home", "1 Main St\nFlat 2", "Köln", nullptr, "50667", "Deutschland"},
                                      {"work", nullptr, "北京", "北京市", nullptr, nullptr}};
        ContactRecord record{.firstName = "Zoë",
                             .middleName = "Ann",
                             .lastName = "O'Neil",
                             .note = "line 1\nline 2 & <more>",
                             .phoneCount = 3,
                             .secondCount = 1,
                             .phones = phones,
                             .secondList = mails,
                             .organization = "Acme, Inc.",
                             .department = "R&D; Labs",
                             .jobTitle = "工程师",
                             .birthday = "1990-02-28",
                             .addressCount = 2,
                             .urlCount = 1,
                             .addresses = addresses,
                             .urls = urls};
        QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
        QVERIFY(record.id);
        const std::string id = record.id;
        auto saved = [&](const std::string& wanted) {
            ContactList* list = nullptr;
            if (contacts->GetContacts(&list) == VEXA_OK)
                for (int i = 0; i < list->recordCount; ++i)
                    if (wanted == list->records[i].id)
                        return QString::fromStdString(Flat(list->records[i]));
            return QStringLiteral("not listed");
        };
        // Every field as given, in the device's order; web addresses are no phones, missing parts stay null.
        QCOMPARE(saved(id), QString::fromStdString(Flat(record)));
        const char* family[] = {"Family"};
        QCOMPARE(contacts->SetContactGroups(record.id, family, 1), int(VEXA_OK));

        // The address book as a phone keeps it, read by Python's sqlite3; a contact the phone's own app adds
        // (custom label, a column this program does not know) is listed in turn.
        const char* script = R"py(
import sqlite3, sys, time
ab = sqlite3.connect(sys.argv[1])
pid = int(sys.argv[3])
row = ab.execute("""SELECT First, Last, Organization, Birthday, CreationDate, StoreID, Middle, Nickname, Department,
    JobTitle, Note, ModificationDate FROM ABPerson WHERE ROWID = ?""", (pid,)).fetchone()
print(row[:4], abs(row[4] - (time.time() - 978307200)) < 600, row[5])
for v in ab.execute("""SELECT v.property, l.value, v.value FROM ABMultiValue v LEFT JOIN ABMultiValueLabel l
        ON l.ROWID = v.label WHERE v.record_id = ? ORDER BY v.UID""", (pid,)):
    print(v)
print(ab.execute("""SELECT group_concat(k.value || "=" || e.value, ";") FROM ABMultiValueEntry e
    JOIN ABMultiValueEntryKey k ON k.ROWID = e.key JOIN ABMultiValue v ON v.UID = e.parent_id
    WHERE v.record_id = ?""", (pid,)).fetchone()[0])
print(ab.execute("""SELECT g.Name FROM ABGroupMembers m JOIN ABGroup g ON g.ROWID = m.group_id
    WHERE m.member_id = ? AND m.member_type = 0""", (pid,)).fetchall(), ab.execute('SELECT count(*) FROM ABStore').fetchone()[0])
images = sqlite3.connect(sys.argv[2])
print(images.execute("SELECT name FROM sqlite_master WHERE name LIKE 'AB%Image' ORDER BY name").fetchall())
ab.executescript("""ALTER TABLE ABPerson ADD COLUMN PhonemeData TEXT;
    INSERT INTO ABPerson(ROWID, First, PhonemeData) VALUES (900, 'Phone', 'x');
    INSERT INTO ABMultiValueLabel(value) VALUES ('Boot');
    INSERT INTO ABMultiValue(record_id, property, label, value) SELECT 900, 3, ROWID, '+49 30 1'
    FROM ABMultiValueLabel WHERE value IN ('Boot', '_$!<Mobile>!$_') ORDER BY value""")
ab.commit()
# Nothing of the address book is left in the device database.
print(sqlite3.connect(sys.argv[4]).execute(
    "SELECT count(*) FROM sqlite_master WHERE name LIKE '%contact%' OR name LIKE '%group%'").fetchone()[0])
)py";
        QCOMPARE(Python(script, {Q(device->AddressBookFile()),
                                 Q(device->AddressBookFile().parent_path() / "AddressBookImages.sqlitedb"),
                                 QString::fromLatin1(record.id), Q(device->DatabaseFile())}),
                 "('Zoë', \"O'Neil\", 'Acme, Inc.', '-342144000') True 1\n"
                 "(3, '_$!<Mobile>!$_', '+44 20 7946 0000')\n"
                 "(3, '_$!<WorkFAX>!$_', '+44 20 7946 0001')\n"
                 "(3, 'Boat', '123')\n"
                 "(4, '_$!<Home>!$_', 'zoë@example.org')\n"
                 "(22, 'homepage', 'https://example.org/zoë?a=1,2;b')\n"
                 "(5, '_$!<Home>!$_', None)\n"
                 "(5, '_$!<Work>!$_', None)\n"
                 "Street=1 Main St\nFlat 2;City=Köln;ZIP=50667;Country=Deutschland;City=北京;State=北京市\n"
                 "[('Family',)] 1\n"
                 "[('ABFullSizeImage',), ('ABThumbnailImage',)]\n"
                 "0");
        QCOMPARE(saved("900"), "Phone|<null>|<null>|<null>|<null>|<null>|Boot=+49 30 1|mobile=+49 30 1");

        // The editor sends no middle name and drops empty fields: the middle name stays, the note goes.
        ContactRecord edit{
            .id = id.c_str(), .firstName = "Zoe", .lastName = "O'Neil", .phoneCount = 1, .phones = phones};
        QCOMPARE(contacts->SaveContact(&edit, 0), int(VEXA_OK));
        QCOMPARE(saved(id), "Zoe Ann O'Neil|<null>|<null>|<null>|<null>|<null>|mobile=+44 20 7946 0000");

        // Addresses go with their contact: the next contact, which may get the same id, has none.
        record.id = nullptr;
        QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
        const std::string second = record.id;
        QCOMPARE(contacts->DeleteContact(id.c_str()), int(VEXA_OK));
        QCOMPARE(contacts->DeleteContact(second.c_str()), int(VEXA_OK));
        QCOMPARE(saved(id), "not listed");
        ContactRecord plain{.firstName = "Plain"};
        QCOMPARE(contacts->SaveContact(&plain, 0), int(VEXA_OK));
        QCOMPARE(saved(plain.id), "Plain|<null>|<null>|<null>|<null>|<null>");

        // Group names are unique, built-in ones included; a deleted group leaves its members be.
        QCOMPARE(contacts->CreateGroup("Team"), int(VEXA_OK));
        QCOMPARE(contacts->CreateGroup("Team"), int(VEXA_E_EXISTS));
        QCOMPARE(contacts->RenameGroup("Team", "Friend"), int(VEXA_E_EXISTS));
        QCOMPARE(contacts->RenameGroup("Team", "Crew"), int(VEXA_OK));

        const char* both[] = {"Crew", "Friend"};
        QCOMPARE(contacts->SetContactGroups("1", both, 2), int(VEXA_OK));

        auto membersOf = [&](const std::string& group) {
            std::vector<std::string> ids;
            ContactList* list = nullptr;
            contacts->GetContacts(&list);
            for (int g = 0; g < list->groupCount; ++g) {
                if (group == list->groups[g].name)
                    ids.assign(list->groups[g].memberIds,
                               list->groups[g].memberIds + list->groups[g].memberCount);
            }
            return ids;
        };
        QVERIFY(membersOf("Crew") == std::vector<std::string>{"1"});
        QCOMPARE(contacts->DeleteGroup("Crew"), int(VEXA_OK));
        QVERIFY(membersOf("Crew").empty());
        QVERIFY(saved("1") != "not listed");
    }
    // A picture goes into AddressBookImages.sqlitedb as a phone keeps it (full size and a thumbnail, both
    // JPEG, under the contact's row id) and leaves it with the picture or the contact; the contacts stay
    // listed when that file is damaged.
    void contactPicturesLiveInTheImagesFile() {
        const fs::path jpegFile = m_root / "contact-picture.jpg";
        QVERIFY(vexa::formats::WriteJpeg(jpegFile, vexa::formats::ImageSpec{400, 300, 9, "", ""}));
        const QByteArray jpeg = ReadFile(Q(jpegFile));
        auto pictureOf = [](IContactService& contacts, const std::string& id) {
            ContactList* list = nullptr;
            if (contacts.GetContacts(&list) == VEXA_OK)
                for (const ContactRecord& record : std::span(list->records, size_t(list->recordCount)))
                    if (id == record.id)
                        return QByteArray(reinterpret_cast<const char*>(record.picture), record.pictureSize);
            return QByteArray("not listed");
        };
        auto rows = [](const std::shared_ptr<SimDevice>& device) {
            return Python(
                "import sqlite3, sys\n"
                "db = sqlite3.connect(sys.argv[1])\n"
                "for table in ('ABFullSizeImage', 'ABThumbnailImage'):\n"
                "    print(table, db.execute('SELECT record_id, substr(data, 1, 3) = x\\'ffd8ff\\' FROM ' + "
                "table).fetchall())\n",
                {Q(device->AddressBookFile().parent_path() / "AddressBookImages.sqlitedb")});
        };
        auto withPicture = [](ContactRecord record, const QByteArray& picture) {
            record.picture = reinterpret_cast<const uint8_t*>(picture.data());
            record.pictureSize = int32_t(picture.size());
            return record;
        };

        auto device = SmallDevice();
        auto contacts = CreateContactService(device);
        ContactRecord record = withPicture({.firstName = "Pic"}, jpeg);
        QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
        const std::string id = record.id;
        QCOMPARE(pictureOf(*contacts, id), jpeg);
        QCOMPARE(rows(device),
                 QStringLiteral("ABFullSizeImage [(%1, 1)]\nABThumbnailImage [(%1, 1)]").arg(id.c_str()));

        // Something that is no picture is refused and the one kept stays.
        const QByteArray notAPicture("not a picture"); // outlives the record that points into it
        ContactRecord junk = withPicture(record, notAPicture);
        QCOMPARE(contacts->SaveContact(&junk, 0), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(pictureOf(*contacts, id), jpeg);

        // Saving without a picture clears it; a contact deleted takes its picture along.
        ContactRecord none = withPicture(record, {});
        QCOMPARE(contacts->SaveContact(&none, 0), int(VEXA_OK));
        QCOMPARE(pictureOf(*contacts, id), QByteArray());
        QCOMPARE(rows(device), QStringLiteral("ABFullSizeImage []\nABThumbnailImage []"));
        QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
        QCOMPARE(contacts->DeleteContact(id.c_str()), int(VEXA_OK));
        QCOMPARE(rows(device), QStringLiteral("ABFullSizeImage []\nABThumbnailImage []"));

        // A damaged images file: contacts are saved and listed without pictures, a picture is refused.
        auto damaged = SmallDevice();
        QVERIFY(WriteFile(Q(damaged->AddressBookFile().parent_path() / "AddressBookImages.sqlitedb"),
                          QByteArray(8192, 'x')));
        auto damagedContacts = CreateContactService(damaged);
        ContactRecord plain{.firstName = "Plain"};
        QCOMPARE(damagedContacts->SaveContact(&plain, 0), int(VEXA_OK));
        QCOMPARE(pictureOf(*damagedContacts, plain.id), QByteArray());
        record.id = nullptr;
        QCOMPARE(damagedContacts->SaveContact(&record, 0), int(VEXA_E_DATABASE));
    }
    // Content an earlier version kept in device.sqlite, and its media database with the texts in the item row
    // and files as ":"-separated paths, move once to the files and the layout a phone keeps them in.
    void contentOfAnEarlierVersionMovesOnceToWhereAPhoneKeepsIt() {
        const std::string udid = "00008030001c2d3e4f5a6b7c8d9e0f1a2b3c4d60";
        QCOMPARE(SimDevice::Create(m_root, udid, "Old iPhone", "iPhone7,2"), int(VEXA_OK));
        QCOMPARE(SimDevice::Publish(m_root, udid), int(VEXA_OK));
        auto device = std::make_shared<SimDevice>(m_root / udid);
        // The tables an earlier version kept in device.sqlite, with what the new places must take over.
        {
            auto session = device->Database().Lock();
            QCOMPARE(session.Exec(R"sql(
            CREATE TABLE contacts(id INTEGER PRIMARY KEY, first_name TEXT, middle_name TEXT, last_name TEXT,
                nick_name TEXT, note TEXT, picture1 INTEGER NOT NULL DEFAULT 0, picture2 INTEGER NOT NULL DEFAULT 0,
                organization TEXT, department TEXT, job_title TEXT, birthday TEXT);
            CREATE TABLE contact_entries(contact_id INTEGER NOT NULL, kind INTEGER NOT NULL,
                position INTEGER NOT NULL, label TEXT, value TEXT NOT NULL);
            CREATE TABLE contact_addresses(contact_id INTEGER NOT NULL, position INTEGER NOT NULL, label TEXT,
                street TEXT, city TEXT, region TEXT, postal_code TEXT, country TEXT);
            CREATE TABLE contact_groups(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, builtin INTEGER);
            CREATE TABLE group_members(group_id INTEGER NOT NULL, contact_id INTEGER NOT NULL);
            CREATE TABLE conversations(id INTEGER PRIMARY KEY, address TEXT NOT NULL, name TEXT);
            CREATE TABLE messages(id INTEGER PRIMARY KEY, conversation_id INTEGER NOT NULL,
                sent INTEGER NOT NULL, date TEXT NOT NULL, text TEXT NOT NULL);
            INSERT INTO contacts VALUES (7, 'Zoë', NULL, 'Ito', NULL, 'line 1
line 2', 0, 0, 'Acme', NULL, NULL, '1980-06-01');
            INSERT INTO contacts(id, last_name) VALUES (9, 'Only');
            INSERT INTO contact_entries VALUES (7, 1, 0, 'home', 'zoe@example.jp'), (7, 0, 1, 'work', '+81 3 9'),
                (7, 0, 0, 'mobile', '+81 3 1'), (7, 2, 0, 'home', 'https://zoe.example'), (8, 0, 0, 'x', 'orphan');
            INSERT INTO contact_addresses VALUES (7, 0, 'home', '1-2 Chiyoda', 'Tokyo', NULL, '100-0001', 'Japan');
            INSERT INTO contact_groups VALUES (1, 'Family', 1), (2, 'Band', 0);
            INSERT INTO group_members VALUES (1, 7), (2, 7), (2, 9);
            CREATE TABLE books(id INTEGER PRIMARY KEY, title TEXT NOT NULL, author TEXT NOT NULL DEFAULT '',
                format INTEGER NOT NULL, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL, store_key TEXT);
            INSERT INTO books VALUES (1, 'Old Book', 'Ann', 3, '/Books/old.epub', 10, 'K');
            INSERT INTO conversations VALUES (3, '+81 3 1', NULL), (4, 'team@example.org', 'Team');
            INSERT INTO messages VALUES (1, 3, 0, '2020-01-02 03:04:05', 'hi'),
                (2, 3, 1, '2020-01-02 03:05:00', 'hello 😀'), (3, 4, 1, '2021-05-06 07:08:09', 'meeting');
            CREATE TABLE photos(id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, kind INTEGER NOT NULL,
                date INTEGER NOT NULL, width INTEGER NOT NULL, height INTEGER NOT NULL,
                file_size INTEGER NOT NULL, file_name TEXT NOT NULL, path TEXT NOT NULL);
            CREATE TABLE albums(id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, name TEXT NOT NULL,
                type INTEGER NOT NULL, builtin INTEGER NOT NULL DEFAULT 0, published INTEGER NOT NULL DEFAULT 1);
            CREATE TABLE album_photos(album_id INTEGER NOT NULL, photo_id INTEGER NOT NULL,
                position INTEGER NOT NULL, PRIMARY KEY(album_id, photo_id));
            INSERT INTO photos VALUES (5, 'P-5', 1, 600000000, 640, 480, 1234, 'IMG_0005.JPG',
                '/DCIM/100APPLE/IMG_0005.JPG'), (6, 'P-6', 2, 500000000, 48, 64, 99, 'IMG_0006.PNG',
                '/PhotoData/Sync/100SYNCD/IMG_0006.PNG');
            INSERT INTO albums VALUES (1, 'A-1', 'Camera Roll', 1, 1, 1), (2, 'A-2', 'Trip', 2, 0, 1),
                (3, 'A-3', 'half typed', 2, 0, 0), (4, 'A-4', 'Stream', 4, 0, 1);
            INSERT INTO album_photos VALUES (1, 5, 0), (2, 5, 1), (2, 6, 0), (3, 6, 0), (4, 5, 0);
        )sql"),
                     0);
        }
        // The media database of an earlier version: texts in the item row, files as ":"-separated paths.
        const fs::path music = device->MediaRoot() / "iTunes_Control/Music";
        for (const char* file : {"F01/ABCD.mp3", "F02/EFGH.mp4"}) {
            fs::create_directories((music / file).parent_path());
            std::ofstream(music / file) << file;
        }
        {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(device->MediaDatabaseFile().c_str(), &db), SQLITE_OK);
            const int made = sqlite3_exec(db, R"sql(
            CREATE TABLE item(pid INTEGER PRIMARY KEY, title TEXT, artist TEXT, album TEXT, genre TEXT,
                location TEXT NOT NULL, format TEXT NOT NULL, media_kind INTEGER NOT NULL,
                file_size INTEGER NOT NULL, duration_ms INTEGER NOT NULL);
            CREATE TABLE container(pid INTEGER PRIMARY KEY, name TEXT NOT NULL);
            CREATE TABLE container_items(container_pid INTEGER NOT NULL, item_pid INTEGER NOT NULL,
                position INTEGER NOT NULL);
            CREATE INDEX container_items_by_container ON container_items(container_pid, position);
            INSERT INTO item VALUES (3, 'Old Song', 'Ann', NULL, 'Pop', ':iTunes_Control:Music:F01:ABCD.mp3',
                'MPEG audio file', 1, 12, 3000), (5, 'Old Clip', NULL, NULL, NULL,
                ':iTunes_Control:Music:F02:EFGH.mp4', 'MPEG-4 video file', 2, 12, 2000);
            INSERT INTO container VALUES (4, 'Kept');
            INSERT INTO container_items VALUES (4, 5, 1), (4, 3, 0);
        )sql",
                                          nullptr, nullptr, nullptr);
            sqlite3_close(db);
            QCOMPARE(made, SQLITE_OK);
        }
        auto listed = [&] {
            std::string text = ContactsText(*CreateContactService(device));
            BookRecord* books = nullptr;
            int count = 0;
            auto bookService = CreateBookService(device);
            if (int code = bookService->GetBooks(&books, &count))
                return QString("books: error %1").arg(code);
            for (const BookRecord& book : std::span(books, size_t(count)))
                text += std::string(book.title) + " by " + book.author + " at " + book.path + " format " +
                        std::to_string(book.format) + "\n";
            text += PhotosText(*CreatePhotoLibrary(device));
            auto albumLibrary = CreateAlbumLibrary(device);
            AlbumRecord* albums = nullptr;
            if (int code = albumLibrary->GetAlbumList(&albums, &count))
                return QString("albums: error %1").arg(code);
            for (const AlbumRecord& album : std::span(albums, size_t(count))) {
                text += std::string(album.name) + " " + std::to_string(album.type) + ":";
                PhotoRecord* photos = nullptr;
                int photoCount = 0;
                albumLibrary->GetAlbumPhotos(&photos, &photoCount, album.id);
                for (const PhotoRecord& photo : std::span(photos, size_t(photoCount)))
                    text += std::string(" ") + photo.id;
                text += "\n";
            }
            // The unnamed conversation takes the name of the contact whose number it is.
            ResultArena arena;
            ConversationList* conversations = nullptr;
            if (int code = ReadConversations(*device, arena, &conversations))
                return QString("messages: error %1").arg(code);
            ContentPrint print;
            PrintConversations(
                *conversations, [](const MessageAttachmentRecord&) { return QString(); }, print);
            text += print.conversations.join('\n').toStdString() + "\n";
            auto media = CreateMediaLibrary(device);
            PlaylistRecord* playlists = nullptr;
            if (int code = media->GetPlaylists(&count, &playlists))
                return QString("media: error %1").arg(code);
            for (const PlaylistRecord& playlist : std::span(playlists, size_t(count))) {
                text += Text(playlist.name) + ":";
                for (const MediaTrackRecord& track : std::span(playlist.tracks, size_t(playlist.trackCount)))
                    text += " " + Text(track.title) + "|" + Text(track.artist) + "|" + Text(track.path) +
                            "|" + Text(track.format) + "|" + std::to_string(track.mediaKind) + "|" +
                            std::to_string(track.fileSize) + "|" + std::to_string(track.duration);
                text += "\n";
            }
            return QString::fromStdString(text);
        };

        QCOMPARE(MoveLegacyContent(*device), int(VEXA_OK));
        const QString moved = listed();
        QCOMPARE(moved,
                 QStringLiteral(
                     "Zoë Ito|line 1\nline 2|Acme|<null>|<null>|1980-06-01|mobile=+81 3 1|work=+81 3 9"
                     "|home=zoe@example.jp|home=https://zoe.example|home:1-2 Chiyoda,Tokyo,<null>,"
                     "100-0001,Japan\n"
                     "Only|<null>|<null>|<null>|<null>|<null>\nFamily:1\nBand:2\n"
                     "Old Book by Ann at /Books/old.epub format 3\n"
                     "P-6 2 500000000 48x64 99 /PhotoData/Sync/100SYNCD/IMG_0006.PNG\n"
                     "P-5 1 600000000 640x480 1234 /DCIM/100APPLE/IMG_0005.JPG\n"
                     "Camera Roll 1: P-5\nPhoto Libary 3: P-6\nFavorites 1:\nTrip 2: P-6 P-5\nStream 4: P-5\n"
                     "+81 3 1|Zoë Ito|2\n  2020-01-02 03:04:05|0|hi\n  2020-01-02 03:05:00|1|hello 😀\n"
                     "team@example.org|Team|1\n  2021-05-06 07:08:09|1|meeting\n"
                     "Old iPhone: Old Song|Ann|:iTunes_Control:Music:F01:ABCD.mp3|MPEG audio file|1|12|3000"
                     " Old Clip|<null>|:iTunes_Control:Music:F02:EFGH.mp4|MPEG-4 video file|2|12|2000\n"
                     "Kept: Old Song|Ann|:iTunes_Control:Music:F01:ABCD.mp3|MPEG audio file|1|12|3000"
                     " Old Clip|<null>|:iTunes_Control:Music:F02:EFGH.mp4|MPEG-4 video file|2|12|2000\n"));
        QVERIFY(fs::exists(music / "F01/ABCD.mp3") && fs::exists(music / "F02/EFGH.mp4"));
        {
            auto session = device->MediaDatabase().Lock();
            Statement layout(session.Handle(),
                             "SELECT (SELECT count(*) FROM pragma_table_info('item') WHERE name ="
                             " 'item_pid'), (SELECT group_concat(path) FROM base_location)");
            QCOMPARE(layout.Step(), SQLITE_ROW);
            QCOMPARE(layout.Int(0), int64_t(1));
            QCOMPARE(layout.Text(1), std::string("iTunes_Control/Music/F01,iTunes_Control/Music/F02"));
        }
        {
            auto session = device->Database().Lock();
            Statement left(session.Handle(),
                           "SELECT count(*) FROM sqlite_master WHERE name IN ('contacts', "
                           "'contact_entries', 'contact_groups', 'conversations', 'messages', 'books', "
                           "'photos', 'albums', 'album_photos')");
            QCOMPARE(left.Step(), SQLITE_ROW);
            QCOMPARE(left.Int(0), int64_t(0));
        }
        // Nothing is left to move a second time, and nothing is doubled.
        QCOMPARE(MoveLegacyContent(*device), int(VEXA_OK));
        QCOMPARE(listed(), moved);
    }

    // What every service refuses, and that a refusal changes nothing
    void refusalsLeaveTheDeviceAsItWas_data() {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < Refusals().size(); ++i)
            QTest::newRow(Refusals()[i].name) << int(i);
    }
    void refusalsLeaveTheDeviceAsItWas() {
        QFETCH(int, row);
        const fs::path files = m_root / "refused";
        if (!m_refusing) {
            m_refusing = SmallDevice();
            fs::create_directories(files);
            QVERIFY(vexa::formats::WriteAudioFile(files / "song.mp3", {}));
            QVERIFY(vexa::formats::WritePng(files / "picture.png", {32, 20, 9, "", ""}));
            std::ofstream(files / "notes.mp3") << "not audio";
            std::ofstream(files / "plain.txt") << "text";
            std::ofstream(files / "broken.ipa") << "PK but not really";
            vexa::formats::AppBundle future;
            future.bundleId = "com.example.future";
            future.displayName = future.executable = "Future";
            future.version = future.shortVersion = "1.0";
            future.minimumOS = "99.0";
            QVERIFY(vexa::formats::WriteIpa(files / "future.ipa", future));
        }
        const auto before = FolderDigest(Q(m_refusing->Folder()));
        Services services{CreateContactService(m_refusing),
                          CreateMediaLibrary(m_refusing),
                          CreateBookService(m_refusing),
                          CreatePhotoLibrary(m_refusing),
                          CreateAlbumLibrary(m_refusing),
                          CreateAppLibrary(m_refusing),
                          files};
        QCOMPARE(Refusals()[row].call(services), Refusals()[row].expected);
        QCOMPARE(FolderDigest(Q(m_refusing->Folder())), before);
    }

    // Media library
    void playlistsShowTheLibraryAndTheUsersLists() {
        auto media = CreateMediaLibrary(m_demo);
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
        QCOMPARE(count, 4);
        QCOMPARE(playlists[0].trackCount, 25);
        QCOMPARE(Text(playlists[0].name), std::string("Demo iPhone"));
        int kinds[2000] = {};
        for (int i = 0; i < playlists[0].trackCount; ++i) {
            const auto& track = playlists[0].tracks[i];
            ++kinds[track.mediaKind];
            std::string path = track.path;
            QVERIFY2(path.starts_with(":iTunes_Control:Music:F"), track.path);
            std::replace(path.begin(), path.end(), ':', '/');
            const auto file = m_demo->ResolveDevicePath(path);
            QVERIFY(file && fs::file_size(*file) == static_cast<uintmax_t>(track.fileSize));
            QVERIFY(track.duration > 500);
            // The file itself opens in a reader we did not write.
            QVERIFY2(ProbedSeconds(*file) > 0.5, track.path);
            QVERIFY(track.title && track.format);
        }
        QCOMPARE(kinds[MEDIA_SONG], 19);
        QCOMPARE(kinds[MEDIA_AUDIO_OTHER], 1);
        QCOMPARE(kinds[MEDIA_MUSIC_VIDEO] + kinds[MEDIA_MOVIE], 5);
        for (int p = 1; p < count; ++p) {
            QVERIFY(playlists[p].trackCount > 0);
            for (int i = 0; i < playlists[p].trackCount; ++i)
                QCOMPARE(playlists[p].tracks[i].mediaKind, int(MEDIA_SONG));
        }
    }
    // Adding and deleting songs and playlists; the refusals, which change nothing, are in the table above.
    void songsAndPlaylistsAreAddedAndDeleted() {
        auto device = SmallDevice();
        auto media = CreateMediaLibrary(device);
        const fs::path song = m_root / "new song.mp3";
        QVERIFY(vexa::formats::WriteAudioFile(
            song, {.title = "Brand New", .artist = "Tester", .album = "Outside", .genre = "Folk"}));
        auto fileCount = [&] {
            const auto files = fs::recursive_directory_iterator(device->MediaRoot() / "iTunes_Control/Music");
            return std::count_if(begin(files), end(files),
                                 [](const auto& entry) { return entry.is_regular_file(); });
        };
        const auto filesBefore = fileCount();
        // Windows-style separators from the music view are taken as well.
        std::u16string backslashed = U16(song);
        std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
        const char16_t* one[] = {backslashed.c_str()};
        int progress = 0;
        QCOMPARE(media->AddMediaFileData(one, 1, &progress, 1), int(VEXA_OK));
        QCOMPARE(progress, 1);
        QCOMPARE(fileCount(), filesBefore + 1);
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
        const int library = playlists[0].trackCount;
        const int inFirst = playlists[1].trackCount;
        QCOMPARE(library, 6);
        const auto& added = playlists[1].tracks[inFirst - 1];
        QCOMPARE(Text(added.title) + "|" + Text(added.format), std::string("Brand New|MPEG audio file"));
        // Read back by Python's sqlite3 with the phone's table and column names: its texts, its file through
        // base_location and its place at the end of the playlist; nothing of it in the device database.
        const char* script = R"py(
import os, sqlite3, sys
db = sqlite3.connect('file:' + sys.argv[1] + '?mode=ro', uri=True)
row = db.execute("""SELECT i.item_pid, i.media_type, e.title, a.item_artist, al.album, g.genre, b.path, e.location,
    e.file_size, e.total_time_ms FROM item i JOIN item_extra e ON e.item_pid = i.item_pid
    JOIN item_artist a ON a.item_artist_pid = i.item_artist_pid JOIN album al ON al.album_pid = i.album_pid
    JOIN genre g ON g.genre_id = i.genre_id JOIN base_location b ON b.base_location_id = i.base_location_id
    WHERE e.title = ?""", ('Brand New',)).fetchone()
file = os.path.join(sys.argv[2], row[6], row[7])
print(row[1:6], row[6].startswith('iTunes_Control/Music/F'), len(row[7]), os.path.getsize(file) == row[8], row[9] > 500)
lists = db.execute("""SELECT c.name, ci.position, (SELECT count(*) FROM container_items WHERE container_pid = c.container_pid)
    FROM container c JOIN container_items ci ON ci.container_pid = c.container_pid WHERE ci.item_pid = ?""",
    (row[0],)).fetchall()
print(lists[0][0], lists[0][1] == lists[0][2] - 1, len(lists))
print(sqlite3.connect(sys.argv[3]).execute(
    "SELECT count(*) FROM sqlite_master WHERE name IN ('item', 'container', 'container_items')").fetchone()[0])
)py";
        QCOMPARE(Python(script,
                        {Q(device->MediaDatabaseFile()), Q(device->MediaRoot()), Q(device->DatabaseFile())}),
                 "(8, 'Brand New', 'Tester', 'Outside', 'Folk') True 8 True True\nPlaylist 1 True 1\n0");
        std::string firstPath = playlists[1].tracks[0].path;
        std::replace(firstPath.begin(), firstPath.end(), ':', '/');

        // From a playlist only the playlist's entry goes; the song stays on the device.
        const MediaPosition fromPlaylist[] = {{1, 0}};
        QCOMPARE(media->DelMediaFileData(fromPlaylist, 1), int(VEXA_OK));
        QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
        QCOMPARE(playlists[1].trackCount, inFirst - 1);
        QCOMPARE(playlists[0].trackCount, library);
        QVERIFY(device->ResolveDevicePath(firstPath) && fs::exists(*device->ResolveDevicePath(firstPath)));

        std::string libraryPath = playlists[0].tracks[0].path;
        std::replace(libraryPath.begin(), libraryPath.end(), ':', '/');
        const MediaPosition fromLibrary[] = {{0, 0}};
        QCOMPARE(media->DelMediaFileData(fromLibrary, 1), int(VEXA_OK));
        QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
        QCOMPARE(playlists[0].trackCount, library - 1);
        QVERIFY(!fs::exists(*device->ResolveDevicePath(libraryPath)));

        QCOMPARE(media->AddPlaylist(u"Neue Liste \u266B"), int(VEXA_OK));
        QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
        QCOMPARE(Text(playlists[count - 1].name), std::string("Neue Liste \u266B"));
        QCOMPARE(media->DeletePlaylist(count - 1), int(VEXA_OK));
        const int after = count - 1;
        QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
        QCOMPARE(count, after);
    }
    void damagedDatabasesAreReportedByEveryService() {
        auto original = SmallDevice();
        const fs::path folder = original->Folder();
        const fs::path addressBook = original->AddressBookFile();
        original.reset();
        // The address book, the message database and the photo library are files of their own; damaged as
        // well, their services fail alike.
        for (const fs::path& file : {folder / "device.sqlite", addressBook, folder / "Library/SMS/sms.db",
                                     folder / "Media/PhotoData/Photos.sqlite"}) {
            for (const char* suffix : {"", "-wal", "-shm"})
                fs::remove(file.string() + suffix);
            std::ofstream(file) << std::string(8192, 'x');
        }
        auto device = std::make_shared<SimDevice>(folder);

        QCOMPARE(CreateContactService(device)->GetContacts(Ignored<ContactList*>()), int(VEXA_E_DATABASE));
        ContactRecord record{.firstName = "Lost"};
        QCOMPARE(CreateContactService(device)->SaveContact(&record, 0), int(VEXA_E_DATABASE));
        ResultArena arena;
        QCOMPARE(ReadConversations(*device, arena, Ignored<ConversationList*>()), int(VEXA_E_DATABASE));
        int count = 0;
        QCOMPARE(CreateBookService(device)->GetBooks(Ignored<BookRecord*>(), &count), int(VEXA_E_DATABASE));
        QCOMPARE(CreatePhotoLibrary(device)->GetPhotoList(Ignored<PhotoRecord*>(), &count),
                 int(VEXA_E_DATABASE));
        QCOMPARE(CreateAlbumLibrary(device)->PrepareList(), int(VEXA_E_DATABASE));
        QCOMPARE(CreateAppLibrary(device)->GetApplistInfo(Ignored<AppRecord*>(), &count),
                 int(VEXA_E_DATABASE));
        ContentCounts counts;
        QCOMPARE(CountContent(*device, counts), int(VEXA_E_DATABASE));
        // The media database is a file of its own and still answers; damaged or missing it has codes of its
        // own.
        QCOMPARE(CreateMediaLibrary(device)->GetPlaylists(&count, Ignored<PlaylistRecord*>()), int(VEXA_OK));
        const fs::path song = m_root / "for-missing.mp3";
        QVERIFY(vexa::formats::WriteAudioFile(song, {}));
        const std::u16string path = U16(song);
        const char16_t* paths[] = {path.c_str()};
        const fs::path media = device->MediaDatabaseFile();
        device.reset(); // the files are changed with no connection open on them
        std::ofstream(media) << "this is not a database, just forty-odd bytes of text";
        device = std::make_shared<SimDevice>(folder);
        QCOMPARE(CreateMediaLibrary(device)->AddMediaFileData(paths, 1, nullptr, 0),
                 int(VEXA_MEDIA_DB_DAMAGED));
        QVERIFY(CreateMediaLibrary(device)->GetPlaylists(&count, Ignored<PlaylistRecord*>()) != VEXA_OK);
        device.reset();
        fs::remove(media);
        device = std::make_shared<SimDevice>(folder);
        QCOMPARE(CreateMediaLibrary(device)->AddMediaFileData(paths, 1, nullptr, 0),
                 int(VEXA_MEDIA_DB_MISSING));
    }

    // Books
    void booksAddAndDelete() {
        auto device = SmallDevice();
        auto books = CreateBookService(device);
        const fs::path pdf = m_root / "Über Bücher.pdf";
        QVERIFY(vexa::formats::WritePdf(pdf, {"Über Bücher", "Jana Kühn", 2}));
        const fs::path folder = m_root / "Unpacked Book";
        QVERIFY(vexa::formats::WriteEpub(folder, {"Unpacked", "A. Author", 2}, true));

        QCOMPARE(books->AddBook(U16(pdf).c_str()), int(VEXA_OK));
        QCOMPARE(books->AddBook(U16(pdf).c_str()), int(VEXA_OK)); // the same file twice gets a second name
        QCOMPARE(books->AddBook(U16(folder).c_str()), int(VEXA_OK));

        BookRecord* records = nullptr;
        int count = 0;
        QCOMPARE(books->GetBooks(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 5);
        const BookRecord added = records[2];
        QCOMPARE(std::string(added.title) + "|" + added.author + "|" + std::to_string(added.format),
                 "Über Bücher|Jana Kühn|" + std::to_string(BOOK_PDF));
        QCOMPARE(std::string(records[3].path).substr(0, 7), std::string("/Books/"));
        QVERIFY(std::string(records[3].path) != added.path);
        QCOMPARE(records[4].format, int(BOOK_EPUB));
        const auto folderOnDevice = device->ResolveDevicePath(records[4].path);
        QVERIFY(folderOnDevice && fs::is_directory(*folderOnDevice));
        qint64 unpacked = 0;
        for (const QString& file : FilesUnder(Q(*folderOnDevice)))
            unpacked += QFileInfo(file).size();
        QCOMPARE(std::stoll(records[4].size), unpacked);

        const auto file = device->ResolveDevicePath(added.path);
        QCOMPARE(books->DeleteBook(added), int(VEXA_OK));
        QVERIFY(!fs::exists(*file));
        QCOMPARE(books->DeleteBook(added), int(VEXA_E_NOT_FOUND));
        QCOMPARE(books->GetBooks(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 4);

        // The list is the phone's Books.plist, read here by a reader we did not write.
        const fs::path list = device->MediaRoot() / "Books" / "Books.plist";
        const QString output =
            Python("import plistlib, sys\n"
                   "for b in plistlib.load(open(sys.argv[1], 'rb'))['Books']:\n"
                   "    print(b['Name'], '|', b['Path'], len(b['Package Hash']), b['Persistent ID'] =="
                   " b['Package Hash'][:16])\n",
                   {Q(list)});
        QVERIFY2(output.count('\n') == 3 && output.endsWith("Über Bücher | Über Bücher-2.pdf 32 True\n"
                                                            "Unpacked | Unpacked Book 32 True"),
                 qPrintable(output));
        // A damaged list is reported, and a change leaves it as it was.
        std::ofstream(list, std::ios::trunc) << "<plist><dict><key>Books</key><string>";
        QCOMPARE(books->GetBooks(&records, &count), int(VEXA_E_DATABASE));
        QCOMPARE(books->AddBook(U16(pdf).c_str()), int(VEXA_E_DATABASE));
        QCOMPARE(int(std::distance(fs::directory_iterator(list.parent_path()), fs::directory_iterator())), 5);
    }

    // Photos and albums

    // The demo's photos, oldest first over several months; a HEIC still is a real one, shown through the
    // phone's own small JPEG, and one of them is a Live Photo whose clip lies beside it (no asset of its
    // own).
    void photosSpanMonthsAndHaveThumbnails() {
        auto photos = CreatePhotoLibrary(m_demo);
        PhotoRecord* records = nullptr;
        int count = 0;
        QCOMPARE(photos->PrepareList(), int(VEXA_OK));
        QCOMPARE(photos->GetPhotoList(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 85);
        std::set<QString> months;
        int movies = 0, heic = 0, live = 0;
        for (PhotoRecord& photo : std::span(records, size_t(count))) {
            months.insert(QDateTime::fromSecsSinceEpoch(photo.date + 978307200, Qt::UTC).toString("yyyy-MM"));
            QVERIFY(&photo == records || (&photo)[-1].date <= photo.date);
            QVERIFY(photo.thumbnail == nullptr);
            movies += std::string(photo.fileName).ends_with("MOV");
            if (!std::string(photo.fileName).ends_with(".HEIC"))
                continue;
            ++heic;
            const fs::path still = m_demo->ResolveDevicePath(photo.path).value_or("");
            QCOMPARE(ReadFile(Q(still)).mid(4, 8), QByteArray("ftypheic"));
            live += fs::exists(fs::path(still).replace_extension(".MOV"));
            QCOMPARE(photos->LoadThumbnail(&photo), int(VEXA_OK));
            QVERIFY(photo.thumbnail && photo.thumbnail[0] == 0xFF && photo.thumbnail[1] == 0xD8);
        }
        QVERIFY(months.size() >= 6);
        QCOMPARE(QList<int>({movies, heic, live}), QList<int>({1, 4, 1}));
        QCOMPARE(photos->LoadThumbnail(&records[0]), int(VEXA_OK));
        QVERIFY(records[0].thumbnail && records[0].thumbnailLength > 100 && records[0].thumbnail[0] == 0xFF &&
                records[0].thumbnail[1] == 0xD8);
    }
    void albumsAndPhotosAreMadeImportedRenamedAndDeleted() {
        auto device = SmallDevice();
        auto albums = CreateAlbumLibrary(device);
        AlbumRecord* created = nullptr;
        QCOMPARE(albums->CreateAlbum(u"Ferien \u2600", &created), int(VEXA_OK));
        QVERIFY(created && created->id);
        const std::string id = created->id;

        auto find = [&](const std::string& wanted) -> AlbumRecord* {
            AlbumRecord* list = nullptr;
            int count = 0;
            albums->PrepareList();
            albums->GetAlbumList(&list, &count);
            for (int i = 0; i < count; ++i) {
                if (wanted == list[i].id)
                    return &list[i];
            }
            return nullptr;
        };
        QVERIFY(!find(id)); // reserved, not yet published
        QCOMPARE(albums->PublishAlbum(id.c_str(), created->name, ALBUM_USER), int(VEXA_OK));
        QCOMPARE(albums->ReleaseAlbum(created), int(VEXA_OK));
        QCOMPARE(albums->ReleaseAlbum(created), int(VEXA_E_NOT_FOUND));
        QVERIFY(find(id));
        QCOMPARE(std::string(find(id)->name), std::string("Ferien \u2600"));

        const fs::path png = m_root / "imported.png";
        QVERIFY(vexa::formats::WritePng(png, {320, 200, 9, "", ""}));
        QCOMPARE(albums->ImportPhotoFile(U16(png).c_str(), id.c_str()), int(VEXA_OK));
        QCOMPARE(albums->ImportPhotoFile(U16(png).c_str(), kPhotoLibrary), int(VEXA_OK));
        AlbumRecord* album = find(id);
        QCOMPARE(album->photoCount, 1);
        QCOMPARE(albums->LoadAlbumCover(album->coverHandle), int(VEXA_OK));
        QVERIFY(album->cover && album->coverLength > 0);

        PhotoRecord* photos = nullptr;
        int count = 0;
        QCOMPARE(albums->GetAlbumPhotos(&photos, &count, id.c_str()), int(VEXA_OK));
        QCOMPARE(count, 1);
        QCOMPARE(photos[0].kind, 2);
        QCOMPARE(photos[0].width, 320);
        QCOMPARE(albums->GetAlbumPhotos(&photos, &count, kPhotoLibrary), int(VEXA_OK));
        QCOMPARE(count, 2);

        QCOMPARE(albums->DeleteAlbum(id.c_str()), int(VEXA_OK));
        QVERIFY(!find(id));
        QCOMPARE(albums->DeleteAlbum(id.c_str()), int(VEXA_E_NOT_FOUND));
        // The photos of a deleted album stay on the device.
        QCOMPARE(albums->GetAlbumPhotos(&photos, &count, kPhotoLibrary), int(VEXA_OK));
        QCOMPARE(count, 2);

        // Deleted photos take their files along.
        auto library = CreatePhotoLibrary(device);
        QCOMPARE(library->PrepareList(), int(VEXA_OK));
        QCOMPARE(library->GetPhotoList(&photos, &count), int(VEXA_OK));
        QCOMPARE(count, 8);
        const std::string first = photos[0].id, second = photos[1].id;
        const auto firstFile = device->ResolveDevicePath(photos[0].path);
        const char* both[] = {first.c_str(), second.c_str()};
        QCOMPARE(library->DeletePhotos(both, 2, 1, "Delete"), int(VEXA_OK));
        QCOMPARE(library->GetDeleteProgress(), 2);
        QVERIFY(firstFile && !fs::exists(*firstFile));
        QCOMPARE(library->PrepareList(), int(VEXA_OK));
        QCOMPARE(library->GetPhotoList(&photos, &count), int(VEXA_OK));
        QCOMPARE(count, 6);
    }
    // The demo device made as iOS 12, 15 and 17 keep their photo library in each release's layout; the
    // reader lists the same photos, months and albums from all three, and an album made in the program lands
    // in the join table that Z_PRIMARYKEY's entity numbers name, as an independent reader finds it.
    void photoLibraryReadsAlikeOnEachRelease() {
        using Summary = std::map<std::string, std::vector<std::string>>; // "photos" and album titles
        auto summaryOf = [](const fs::path& file, std::string& assetTable) {
            vexa::ios::PhotoLibrary library;
            Summary summary;
            if (vexa::ios::PhotoLibraryReader::Read(file, library) != vexa::ios::kReadOk)
                return summary;
            assetTable = library.layout.assetTable;
            std::map<int64_t, std::string> uuidOf;
            for (const auto& asset : library.assets) {
                uuidOf[asset.key] = asset.uuid;
                const QDate day = QDateTime::fromSecsSinceEpoch(asset.unixTime, Qt::UTC).date();
                summary["photos"].push_back(asset.uuid + " " + day.toString("yyyy-MM").toStdString());
            }
            for (const auto& album : library.albums) {
                auto& members = summary["album " + album.title];
                for (int64_t key : album.assets)
                    members.push_back(uuidOf[key]);
            }
            return summary;
        };
        std::string table17;
        const Summary expected = summaryOf(m_demo->MediaRoot() / "PhotoData/Photos.sqlite", table17);
        QCOMPARE(table17, std::string("ZASSET"));
        QCOMPARE(expected.at("photos").size(), size_t(85));
        QCOMPARE(expected.at("album Holiday 2025").size(), size_t(12));

        const char* script = R"py(
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
tables = {r[0] for r in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'")}
asset = 'ZASSET' if 'ZASSET' in tables else 'ZGENERICASSET'
columns = {r[1] for r in db.execute('PRAGMA table_info(%s)' % asset)}
assert {'ZFILENAME', 'ZDIRECTORY', 'ZDATECREATED', 'ZKIND', 'ZWIDTH', 'ZHEIGHT', 'ZTRASHEDSTATE', 'ZHIDDEN',
        'ZUUID'} <= columns, columns
entities = {name: number for number, name in db.execute('SELECT Z_ENT, Z_NAME FROM Z_PRIMARYKEY')}
join = 'Z_%dASSETS' % entities['Album']
album_column, asset_column = 'Z_%dALBUMS' % entities['Album'], 'Z_%dASSETS' % entities['Asset']
rows = db.execute('SELECT f.ZFILENAME FROM ZGENERICALBUM a JOIN %s j ON j.%s = a.Z_PK JOIN %s f ON f.Z_PK = j.%s '
                  'WHERE a.ZTITLE = ? AND a.ZKIND = 2' % (join, album_column, asset, asset_column),
                  (sys.argv[2],)).fetchall()
print(asset, join, len(rows), rows[0][0][:4] if rows else '')
)py";
        const std::vector<std::pair<int, QString>> releases = {{12, "ZGENERICASSET Z_23ASSETS 1 IMG_"},
                                                               {15, "ZASSET Z_27ASSETS 1 IMG_"},
                                                               {17, "ZASSET Z_28ASSETS 1 IMG_"}};
        const fs::path png = m_root / "for-album.png";
        QVERIFY(vexa::formats::WritePng(png, {64, 48, 3, "", ""}));
        for (const auto& [release, answer] : releases) {
            const std::string udid = "release-" + std::to_string(release);
            QCOMPARE(GenerateDemoDevice(m_root, udid, "Demo", release), int(VEXA_OK));
            auto device = std::make_shared<SimDevice>(m_root / udid);
            const fs::path file = device->MediaRoot() / "PhotoData/Photos.sqlite";
            std::string table;
            QVERIFY2(summaryOf(file, table) == expected, udid.c_str());
            // Made again, the demo device is the same one.
            if (release == 17)
                QCOMPARE(
                    ContactsText(*CreateContactService(device)) + PhotosText(*CreatePhotoLibrary(device)),
                    ContactsText(*CreateContactService(m_demo)) + PhotosText(*CreatePhotoLibrary(m_demo)));

            auto albums = CreateAlbumLibrary(device);
            AlbumRecord* created = nullptr;
            QCOMPARE(albums->CreateAlbum(u"Neu", &created), int(VEXA_OK));
            const std::string id = created->id;
            QCOMPARE(albums->PublishAlbum(id.c_str(), created->name, ALBUM_USER), int(VEXA_OK));
            QCOMPARE(albums->ReleaseAlbum(created), int(VEXA_OK));
            QCOMPARE(albums->ImportPhotoFile(U16(png).c_str(), id.c_str()), int(VEXA_OK));
            QCOMPARE(Python(script, {Q(file), "Neu"}), answer);
        }
        QCOMPARE(GenerateDemoDevice(m_root, "release-13", "Demo", 13), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(GenerateDemoDevice(m_root, "release-17", "Again"), int(VEXA_E_EXISTS));
    }

    // Apps
    void appsListInstallBackupAndUninstall() {
        auto apps = CreateAppLibrary(m_demo);
        AppRecord* records = nullptr;
        int count = 0;
        QCOMPARE(apps->GetApplistInfo(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 12);
        QVERIFY(records[0].icon == nullptr);
        QCOMPARE(apps->GetAppListIcon(records, count), int(VEXA_OK));
        for (int i = 0; i < count; ++i) {
            QVERIFY(records[i].iconLength > 8);
            QVERIFY(std::memcmp(records[i].icon, "\x89PNG", 4) == 0);
            QVERIFY(records[i].appSize > 0);
            // The whole app: its bundle and its documents.
            QVERIFY(records[i].fileSize > records[i].appSize);
            QVERIFY(fs::is_directory(m_demo->ApplicationsRoot() / records[i].id / "Documents"));
        }
        const std::string id = records[0].id;

        const fs::path plain = m_root / "plain.ipa", withDocs = m_root / "with docs.ipa";
        QCOMPARE(apps->BackupApp(id.c_str(), plain.c_str(), 0), int(VEXA_OK));
        QCOMPARE(apps->BackupApp(id.c_str(), withDocs.c_str(), 1), int(VEXA_OK));

        // Backing up and reinstalling gives the app back under the same id.
        auto device = SmallDevice();
        auto other = CreateAppLibrary(device);
        QCOMPARE(other->InstallApp(U16(plain).c_str()), int(VEXA_OK));
        QCOMPARE(other->GetApplistInfo(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 2);
        QCOMPARE(std::string(records[1].id), id);
        QCOMPARE(other->InstallApp(U16(withDocs).c_str()), int(VEXA_OK)); // an update keeps one entry
        QCOMPARE(other->GetApplistInfo(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 2);
        QCOMPARE(other->UninstallApp(id.c_str()), int(VEXA_OK));
        QVERIFY(!fs::exists(device->ApplicationsRoot() / id));
        QCOMPARE(other->UninstallApp(id.c_str()), int(VEXA_APP_UNINSTALL_FAILED));
    }

    // Faults and connection

    // Two threads change and list at once; what this thread was handed stays as it was until it calls again.
    void concurrentChangesFromTwoThreads() {
        auto device = SmallDevice();
        auto contacts = CreateContactService(device);
        auto media = CreateMediaLibrary(device);
        ContactList* mine = nullptr;
        QCOMPARE(contacts->GetContacts(&mine), int(VEXA_OK));
        const std::string first = Flat(mine->records[0]);
        std::atomic<int> failures{0};
        auto worker = [&](int offset) {
            for (int i = 0; i < 40; ++i) {
                const std::string name = "Thread " + std::to_string(offset) + "/" + std::to_string(i);
                ContactRecord record{.firstName = name.c_str()};
                failures += contacts->SaveContact(&record, 0) != VEXA_OK;
                ContactList* list = nullptr;
                failures += contacts->GetContacts(&list) != VEXA_OK;
                int count = 0;
                PlaylistRecord* playlists = nullptr;
                failures += media->GetPlaylists(&count, &playlists) != VEXA_OK;
            }
        };
        std::thread one(worker, 1), two(worker, 2);
        one.join();
        two.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(mine->recordCount, 12);
        QCOMPARE(Flat(mine->records[0]), first);
        QCOMPARE(contacts->GetContacts(&mine), int(VEXA_OK));
        QCOMPARE(mine->recordCount, 12 + 80);
    }
    void removalsComeBackUnlessCommitted() {
        const fs::path folder = m_root / "removal";
        fs::create_directories(folder / "tree/inner");
        std::ofstream(folder / "tree/inner/file.txt") << "kept";
        std::ofstream(folder / "single.txt") << "kept too";
        {
            PendingRemoval removal(folder / ".trash");
            QVERIFY(removal.Add(folder / "tree"));
            QVERIFY(removal.Add(folder / "single.txt"));
            QVERIFY(removal.Add(folder / "never-existed"));
            QVERIFY(!fs::exists(folder / "tree") && !fs::exists(folder / "single.txt"));
        } // not committed: everything goes back
        QVERIFY(fs::exists(folder / "tree/inner/file.txt") && fs::exists(folder / "single.txt"));
        {
            PendingRemoval removal(folder / ".trash");
            QVERIFY(removal.Add(folder / "tree"));
            removal.Commit();
        }
        QVERIFY(!fs::exists(folder / "tree"));
        QVERIFY(fs::is_empty(folder / ".trash"));
    }

    // Files checked by independent readers

    // The demo device's songs, clips and books open in readers we did not write: ffprobe finds a duration,
    // PDFs start with their header, EPUBs (zips or unpacked folders) carry "mimetype" first.
    void seededFilesOpenInIndependentReaders() {
        QVERIFY(ProbedSeconds(m_demo->MediaRoot() / "DCIM/100APPLE/IMG_0081.MOV") > 0.5);
        const char* script = R"py(
import os, sys, zipfile
books = sys.argv[1]
names = sorted(n for n in os.listdir(books) if n != 'Books.plist')
for name in names:
    path = os.path.join(books, name)
    if name.lower().endswith('.pdf'):
        assert open(path, 'rb').read(5) == b'%PDF-', name
    elif os.path.isdir(path):
        assert open(os.path.join(path, 'mimetype')).read() == 'application/epub+zip', name
        assert os.path.isfile(os.path.join(path, 'META-INF', 'container.xml')), name
    else:
        z = zipfile.ZipFile(path)
        first = z.infolist()[0]
        assert first.filename == 'mimetype' and first.compress_type == zipfile.ZIP_STORED, name
        assert z.read('mimetype') == b'application/epub+zip', name
        assert z.testzip() is None, name
print(len(names))
)py";
        QCOMPARE(Python(script, {Q(m_demo->MediaRoot() / "Books")}), "8");
    }

private:
    QTemporaryDir m_dir;
    fs::path m_root;
    std::shared_ptr<SimDevice> m_demo;
    std::shared_ptr<SimDevice> m_refusing;
    int m_smallDevices = 0;

    // A new small device; without one no test that asks for it can run, so the run stops here.
    std::shared_ptr<SimDevice> SmallDevice() {
        char udid[41];
        std::snprintf(udid, sizeof udid, "%040d", ++m_smallDevices);
        auto device = MakeSmallDevice(m_root, udid);
        if (!device)
            qFatal("small device %s could not be generated", udid);
        return device;
    }
};

QTEST_GUILESS_MAIN(TestVexaContent)
#include "tst_vexa_content.moc"
