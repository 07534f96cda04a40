// The content services of a simulated device: the demo device as the program sees it, every change and
// its refusals, the all-or-nothing rule, faults, and the files checked by readers we did not write.
#include <QDate>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>

#include <vexa/VexaServices.h>

#include "formats/AudioFile.h"
#include "formats/BookFile.h"
#include "formats/ImageFile.h"
#include "formats/IpaFile.h"
#include "ios/PhotoLibraryReader.h"
#include "ios/ReadResult.h"
#include "sim/ContentServices.h"
#include "sim/FaultInjector.h"
#include "sim/SimDevice.h"
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

QString Run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
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

std::u16string U16(const fs::path& path) {
    return path.u16string();
}

} // namespace

class TestVexaContent : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    // The demo device
    void demoDeviceHasEveryAlbumKindAndAwkwardNames();
    void demoContactsCoverTheAwkwardCases();
    void demoConversationsCoverTheAwkwardCases();
    void demoMessagesAndCallsReadInAnIndependentReader();
    void phoneNumbersMatchAsAPhoneMatchesThem_data();
    void phoneNumbersMatchAsAPhoneMatchesThem();
    void demoGenerationIsDeterministic();
    void largeGeneratorMakesTheCountsAsked();

    // Contacts and groups
    void contactsAddUpdateAndDelete();
    void malformedOrUnknownContactsChangeNothing();
    void contactsLiveInTheAddressBookAsAPhoneKeepsThem();
    void builtInGroupsAreProtectedAndGroupsKeepTheirMembers();
    void resultsStayValidUntilTheSameThreadCallsAgain();

    // Media library
    void playlistsShowTheLibraryAndTheUsersLists();
    void addingMediaIsAllOrNothing();
    void deletingSongsAndPlaylists();
    void missingOrDamagedMediaDatabaseIsReported();
    void damagedDeviceDatabaseIsReportedByEveryService();

    // Books
    void booksAddAndDelete();

    // Photos and albums
    void photosSpanMonthsAndHaveThumbnails();
    void albumsCreateImportRenameAndDelete();
    void deletingPhotosIsAllOrNothing();
    void photoLibraryReadsAlikeOnEachRelease();

    // Apps
    void appsListInstallBackupAndUninstall();
    void badPackagesAreRefusedWithTheirCodes();

    // Faults and connection
    void unpluggedDeviceAndPlannedFaultsAnswerCodes();
    void concurrentChangesFromTwoThreads();
    void removalsComeBackUnlessCommitted();

    // Files checked by independent readers
    void seededMediaIsAcceptedByFfprobe();
    void seededBooksOpen();

private:
    QTemporaryDir m_dir;
    fs::path m_root;
    std::shared_ptr<SimDevice> m_demo;
    int m_smallDevices = 0;

    std::shared_ptr<SimDevice> SmallDevice() {
        char udid[41];
        std::snprintf(udid, sizeof udid, "%040d", ++m_smallDevices);
        return MakeSmallDevice(m_root, udid);
    }
};

void TestVexaContent::initTestCase() {
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

void TestVexaContent::demoDeviceHasEveryAlbumKindAndAwkwardNames() {
    auto albums = CreateAlbumLibrary(m_demo);
    AlbumRecord* list = nullptr;
    int count = 0;
    QCOMPARE(albums->PrepareList(), int(VEXA_OK));
    QCOMPARE(albums->GetAlbumList(&list, &count), int(VEXA_OK));
    std::set<int> types;
    std::map<std::string, AlbumRecord> byName;
    for (int i = 0; i < count; ++i) {
        types.insert(list[i].type);
        byName[list[i].name] = list[i];
    }
    QCOMPARE(types, (std::set<int>{ALBUM_CAMERA_ROLL, ALBUM_USER, ALBUM_LIBRARY, ALBUM_PHOTO_STREAM}));
    QVERIFY(byName.count("Camera Roll"));
    QCOMPARE(std::string(byName["Photo Libary"].id), std::string("00000000-0000-0000-0000-000000000064"));
    // A nested file tree with names beyond ASCII, for the file browser.
    int nonAscii = 0, deepest = 0;
    for (auto it = fs::recursive_directory_iterator(m_demo->MediaRoot() / "Downloads"); it != decltype(it)();
         ++it) {
        const std::string name = it->path().filename().string();
        nonAscii +=
            std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
        deepest = std::max(deepest, it.depth());
    }
    QVERIFY(nonAscii >= 5);
    QVERIFY(deepest >= 3);
}

void TestVexaContent::demoContactsCoverTheAwkwardCases() {
    auto contacts = CreateContactService(m_demo);
    ContactList* list = nullptr;
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    std::map<std::string, std::vector<std::string>> groupsOf;
    for (int g = 0; g < list->groupCount; ++g) {
        for (int m = 0; m < list->groups[g].memberCount; ++m)
            groupsOf[list->groups[g].memberIds[m]].push_back(list->groups[g].name);
    }
    std::vector<std::string> groupNames;
    for (int g = 0; g < list->groupCount; ++g)
        groupNames.push_back(list->groups[g].name);
    QCOMPARE(groupNames,
             (std::vector<std::string>{"Friend", "Family", "Classmate", "Ungrouped", "Colleagues"}));

    bool onlyMiddle = false, twoGroups = false, noNumber = false, noGroup = false;
    bool work = false, birthday = false, address = false, url = false;
    std::set<std::string> labels;
    for (int i = 0; i < list->recordCount; ++i) {
        const ContactRecord& record = list->records[i];
        QVERIFY(record.id);
        onlyMiddle |= !record.firstName && !record.lastName && record.middleName &&
                      DisplayName(record) == record.middleName;
        twoGroups |= groupsOf[record.id].size() == 2;
        noGroup |= groupsOf[record.id].empty();
        noNumber |= record.phoneCount == 0 && record.phones == nullptr;
        for (int p = 0; p < record.phoneCount; ++p) {
            QVERIFY(record.phones[p].value && *record.phones[p].value);
            labels.insert(Text(record.phones[p].label));
        }
        work |= record.organization && record.jobTitle;
        birthday |= record.birthday && QDate::fromString(record.birthday, Qt::ISODate).isValid();
        address |= record.addressCount > 0 && record.addresses[0].street && record.addresses[0].country;
        url |= record.urlCount > 0 && record.urls[0].value;
    }
    QVERIFY(work && birthday && address && url);
    QVERIFY(onlyMiddle);
    QVERIFY(twoGroups);
    QVERIFY(noNumber);
    QVERIFY(noGroup);
    QVERIFY(labels.size() >= 4);
}

void TestVexaContent::demoConversationsCoverTheAwkwardCases() {
    ResultArena arena;
    ConversationList* list = nullptr;
    QCOMPARE(ReadConversations(*m_demo, arena, &list), int(VEXA_OK));
    QCOMPARE(list->count, 25);
    bool fortyOne = false, unnamed = false, sent = false, received = false, named = false;
    std::string all;
    for (int c = 0; c < list->count; ++c) {
        const auto& conversation = list->conversations[c];
        QVERIFY(conversation.address && *conversation.address);
        fortyOne |= conversation.messageCount == 41;
        unnamed |= conversation.name == nullptr;
        // Stored without a name, under a contact's number written the national way.
        if (conversation.address[0] == '0')
            named = conversation.name && *conversation.name;
        for (int m = 0; m < conversation.messageCount; ++m) {
            const auto& message = conversation.messages[m];
            QCOMPARE(std::strlen(message.dateTime), size_t(19)); // "yyyy-MM-dd hh:mm:ss"
            (message.direction ? sent : received) = true;
            all += message.text;
        }
    }
    QVERIFY(fortyOne && unnamed && sent && received && named);
    for (const char* needle : {"\n", "<", "&", "\"", "\xF0\x9F\x98\x80"})
        QVERIFY2(all.find(needle) != std::string::npos, needle);
}

// The demo device's sms.db and call history as Python's sqlite3 sees them, with the phone's table and
// column names; texts kept only in attributedBody are decoded from the archive here, by its own rules.
void TestVexaContent::demoMessagesAndCallsReadInAnIndependentReader() {
    const char* script = R"(
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
)";
    int exitCode = -1;
    const QString output =
        Run("/usr/bin/python3", {"-c", script, QString::fromStdString(m_demo->Folder().string())}, &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(output));
    ContentCounts counts;
    QCOMPARE(CountContent(*m_demo, counts), int(VEXA_OK));
    // Every message is listed, about a third only in attributedBody, and tapbacks are rows of their own.
    const QStringList figures = output.trimmed().split(' ');
    QCOMPARE(figures.value(0).toLongLong(), counts.messages);
    QCOMPARE(figures.mid(1), QStringList({"1", "7", "True", "True", "30", "True"}));
}

void TestVexaContent::phoneNumbersMatchAsAPhoneMatchesThem_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("match");
    const struct {
        const char* name;
        const char* first;
        const char* second;
        bool match;
    } rows[] = {
        {"same", "+49 30 123456", "+49 30 123456", true},
        {"spaces, dashes, brackets", "(030) 12-34 56", "030123456", true},
        {"+49 vs 0049", "+49 30 123456", "0049 30 123456", true},
        {"+49 vs national 0", "+49 30 123456", "030 / 123456", true},
        {"mobile, national 0", "+49 151 1234 567", "0151-1234567", true},
        {"without the area code", "+1 555 0101", "555-0101", true},
        {"other area code", "030 123456", "040 123456", false},
        {"other country", "+49 30 123456", "+33 30 123456", false},
        {"too few trailing digits", "123456", "+49 30 123456", false},
        {"short code, exact", "22 333", "22333", true},
        {"short code, its tail", "2333", "22333", false},
        {"no digits", "Vodafone", "Vodafone", false},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << QString::fromUtf8(row.first) << QString::fromUtf8(row.second) << row.match;
}

void TestVexaContent::phoneNumbersMatchAsAPhoneMatchesThem() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, match);
    QCOMPARE(PhoneNumbersMatch(first.toStdString(), second.toStdString()), match);
    QCOMPARE(PhoneNumbersMatch(second.toStdString(), first.toStdString()), match);
}

void TestVexaContent::demoGenerationIsDeterministic() {
    const std::string udid = "1111111111111111111111111111111111111111";
    QCOMPARE(GenerateDemoDevice(m_root, udid, "Second Demo"), int(VEXA_OK));
    auto second = std::make_shared<SimDevice>(m_root / udid);
    auto flatten = [](const std::shared_ptr<SimDevice>& device) {
        std::string text;
        ContactList* contacts = nullptr;
        auto service = CreateContactService(device);
        if (service->GetContacts(&contacts) != VEXA_OK)
            return std::string("failed");
        for (int i = 0; i < contacts->recordCount; ++i) {
            text += DisplayName(contacts->records[i]) + "|";
            for (int p = 0; p < contacts->records[i].phoneCount; ++p)
                text +=
                    Text(contacts->records[i].phones[p].label) + Text(contacts->records[i].phones[p].value);
        }
        PhotoRecord* photos = nullptr;
        int count = 0;
        auto library = CreatePhotoLibrary(device);
        library->PrepareList();
        library->GetPhotoList(&photos, &count);
        for (int i = 0; i < count; ++i)
            text += std::string(photos[i].id) + photos[i].path + std::to_string(photos[i].fileSize);
        return text;
    };
    QCOMPARE(flatten(second), flatten(m_demo));
    QCOMPARE(GenerateDemoDevice(m_root, udid, "Again"), int(VEXA_E_EXISTS));
}

void TestVexaContent::largeGeneratorMakesTheCountsAsked() {
    LargeDeviceSpec spec;
    spec.udid = "2222222222222222222222222222222222222222";
    spec.name = "Counted";
    spec.contacts = 250;
    spec.messages = 1234;
    spec.photos = 1500; // more than one DCIM folder
    spec.songs = 30;
    spec.videos = 3;
    spec.apps = 2;
    spec.books = 3;
    QCOMPARE(GenerateLargeDevice(m_root, spec), int(VEXA_OK));
    SimDevice device(m_root / spec.udid);
    ContentCounts counts;
    QCOMPARE(CountContent(device, counts), int(VEXA_OK));
    QCOMPARE(counts.contacts, int64_t(250));
    QCOMPARE(counts.messages, int64_t(1234));
    QCOMPARE(counts.photos, int64_t(1500));
    QCOMPARE(counts.songs, int64_t(30));
    QCOMPARE(counts.videos, int64_t(3));
    QCOMPARE(counts.apps, int64_t(2));
    QCOMPARE(counts.books, int64_t(3));
    QVERIFY(fs::exists(device.MediaRoot() / "DCIM/101APPLE/IMG_1500.JPG"));

    spec.udid = "3333333333333333333333333333333333333333";
    spec.photos = -1;
    QCOMPARE(GenerateLargeDevice(m_root, spec), int(VEXA_E_INVALID_ARGUMENT));
    QVERIFY(!fs::exists(m_root / spec.udid));
}

void TestVexaContent::contactsAddUpdateAndDelete() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    ContactEntry phones[] = {{0, "mobile", "+44 20 7946 0000"}, {0, "work", "+44 20 7946 0001"}};
    ContactEntry mails[] = {{0, "home", "zoë@example.org"}};
    ContactEntry urls[] = {{0, "homepage", "https://example.org/zoë?a=1,2;b"}};
    ContactAddress addresses[] = {{"home", "1 Main St\nFlat 2", "Köln", nullptr, "50667", "Deutschland"},
                                  {"work", nullptr, "北京", "北京市", nullptr, nullptr}};
    ContactRecord record{};
    record.organization = "Acme, Inc.";
    record.department = "R&D; Labs";
    record.jobTitle = "工程师";
    record.birthday = "1990-02-28";
    record.addressCount = 2;
    record.addresses = addresses;
    record.urlCount = 1;
    record.urls = urls;
    record.firstName = "Zoë";
    record.middleName = "Ann";
    record.lastName = "O'Neil";
    record.note = "line 1\nline 2 & <more>";
    record.pictureValue1 = 7;
    record.pictureValue2 = -3;
    record.phoneCount = 2;
    record.phones = phones;
    record.secondCount = 1;
    record.secondList = mails;
    QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
    QVERIFY(record.id);
    const std::string id = record.id;

    auto find = [&](const std::string& wanted) -> const ContactRecord* {
        ContactList* list = nullptr;
        if (contacts->GetContacts(&list) != VEXA_OK)
            return nullptr;
        for (int i = 0; i < list->recordCount; ++i) {
            if (wanted == list->records[i].id)
                return &list->records[i];
        }
        return nullptr;
    };
    const ContactRecord* saved = find(id);
    QVERIFY(saved);
    QCOMPARE(DisplayName(*saved), std::string("Zoë Ann O'Neil"));
    QCOMPARE(Text(saved->note), std::string("line 1\nline 2 & <more>"));
    QCOMPARE(saved->phoneCount, 2);
    QCOMPARE(Text(saved->phones[1].value), std::string("+44 20 7946 0001")); // device order kept
    QCOMPARE(Text(saved->secondList[0].value), std::string("zoë@example.org"));
    QCOMPARE(saved->pictureValue2, -3);
    QCOMPARE(Text(saved->organization) + "|" + Text(saved->department) + "|" + Text(saved->jobTitle) + "|" +
                 Text(saved->birthday),
             std::string("Acme, Inc.|R&D; Labs|工程师|1990-02-28"));
    QCOMPARE(saved->addressCount, 2);
    QCOMPARE(Text(saved->addresses[0].street) + "|" + Text(saved->addresses[0].city) + "|" +
                 Text(saved->addresses[0].postalCode) + "|" + Text(saved->addresses[0].country),
             std::string("1 Main St\nFlat 2|Köln|50667|Deutschland"));
    QVERIFY(!saved->addresses[0].region && !saved->addresses[1].street);
    QCOMPARE(Text(saved->addresses[1].label) + Text(saved->addresses[1].region), std::string("work北京市"));
    QCOMPARE(saved->urlCount, 1);
    QCOMPARE(Text(saved->urls[0].value), Text(urls[0].value));
    QCOMPARE(saved->phoneCount, 2); // web addresses are no phones

    // The editor sends no middle name and drops empty fields: the middle name stays, the note goes.
    ContactRecord edit{};
    edit.id = id.c_str();
    edit.firstName = "Zoe";
    edit.lastName = "O'Neil";
    edit.phoneCount = 1;
    edit.phones = phones;
    QCOMPARE(contacts->SaveContact(&edit, 0), int(VEXA_OK));
    saved = find(id);
    QVERIFY(saved);
    QCOMPARE(DisplayName(*saved), std::string("Zoe Ann O'Neil"));
    QVERIFY(saved->note == nullptr && saved->organization == nullptr);
    QCOMPARE(saved->phoneCount, 1);
    QCOMPARE(saved->secondCount + saved->addressCount + saved->urlCount, 0);

    // Addresses go with their contact: the next contact, which may get the same id, has none.
    record.id = nullptr;
    QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
    const std::string second = record.id;
    QCOMPARE(contacts->DeleteContact(id.c_str()), int(VEXA_OK));
    QCOMPARE(contacts->DeleteContact(second.c_str()), int(VEXA_OK));
    QVERIFY(!find(id));
    QCOMPARE(contacts->DeleteContact(id.c_str()), int(VEXA_E_NOT_FOUND));
    ContactRecord plain{};
    plain.firstName = "Plain";
    QCOMPARE(contacts->SaveContact(&plain, 0), int(VEXA_OK));
    saved = find(plain.id);
    QVERIFY(saved);
    QCOMPARE(saved->addressCount + saved->urlCount, 0);
}

void TestVexaContent::malformedOrUnknownContactsChangeNothing() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    ContactList* list = nullptr;
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    const int before = list->recordCount;

    ContactRecord broken{};
    broken.firstName = "Broken";
    broken.phoneCount = 2; // but no array
    QCOMPARE(contacts->SaveContact(&broken, 0), int(VEXA_E_INVALID_ARGUMENT));
    ContactEntry noValue[] = {{0, "home", nullptr}};
    broken.phones = noValue;
    broken.phoneCount = 1;
    QCOMPARE(contacts->SaveContact(&broken, 0), int(VEXA_E_INVALID_ARGUMENT));
    ContactRecord unknown{};
    unknown.id = "999999";
    unknown.firstName = "Nobody";
    QCOMPARE(contacts->SaveContact(&unknown, 0), int(VEXA_E_NOT_FOUND));
    unknown.id = "../1";
    QCOMPARE(contacts->SaveContact(&unknown, 0), int(VEXA_E_NOT_FOUND));
    QCOMPARE(contacts->SaveContact(nullptr, 0), int(VEXA_E_INVALID_ARGUMENT));
    ContactRecord dated{};
    for (const char* birthday : {"1990-13-01", "1990-2-28", "28.02.1990", "1990-02-00"}) {
        dated.birthday = birthday;
        QVERIFY2(contacts->SaveContact(&dated, 0) == VEXA_E_INVALID_ARGUMENT, birthday);
    }
    dated.birthday = nullptr;
    dated.addressCount = 1; // but no array
    QCOMPARE(contacts->SaveContact(&dated, 0), int(VEXA_E_INVALID_ARGUMENT));
    QCOMPARE(contacts->GetContacts(nullptr), int(VEXA_E_INVALID_ARGUMENT));
    QCOMPARE(contacts->DeleteContact(nullptr), int(VEXA_E_INVALID_ARGUMENT));

    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    QCOMPARE(list->recordCount, before);
}

// The address book as a phone keeps it, read by Python's sqlite3; a contact the phone's own app adds
// (custom label, a column this program does not know) is listed in turn.
void TestVexaContent::contactsLiveInTheAddressBookAsAPhoneKeepsThem() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    ContactEntry phones[] = {{0, "mobile", "+81 3 1234"}, {0, "work fax", "+81 3 9999"}, {0, "Boat", "123"}};
    ContactEntry mails[] = {{0, "home", "zoe@example.jp"}};
    ContactAddress address{"home", "1-2 Chiyoda", "Tokyo", nullptr, "100-0001", "Japan"};
    ContactRecord record{};
    record.firstName = "Zoe";
    record.lastName = "Ito";
    record.organization = "Acme";
    record.birthday = "1980-06-01";
    record.phoneCount = 3;
    record.phones = phones;
    record.secondCount = 1;
    record.secondList = mails;
    record.addressCount = 1;
    record.addresses = &address;
    QCOMPARE(contacts->SaveContact(&record, 0), int(VEXA_OK));
    const char* family[] = {"Family"};
    QCOMPARE(contacts->SetContactGroups(record.id, family, 1), int(VEXA_OK));

    int exitCode = -1;
    const QString output = Run(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral(
             "import sqlite3, sys, time\n"
             "ab = sqlite3.connect(sys.argv[1])\n"
             "pid = int(sys.argv[3])\n"
             "row = ab.execute('SELECT First, Last, Organization, Birthday, CreationDate, StoreID, Middle,"
             " Nickname, Department, JobTitle, Note, ModificationDate FROM ABPerson WHERE ROWID = ?',"
             " (pid,)).fetchone()\n"
             "print(row[:4], abs(row[4] - (time.time() - 978307200)) < 600, row[5])\n"
             "for v in ab.execute('SELECT v.property, l.value, v.value FROM ABMultiValue v LEFT JOIN"
             " ABMultiValueLabel l ON l.ROWID = v.label WHERE v.record_id = ? ORDER BY v.UID', (pid,)):\n"
             "    print(v)\n"
             "print(ab.execute('SELECT group_concat(k.value || \"=\" || e.value, \";\") FROM "
             "ABMultiValueEntry e"
             " JOIN ABMultiValueEntryKey k ON k.ROWID = e.key JOIN ABMultiValue v ON v.UID = e.parent_id"
             " WHERE v.record_id = ?', (pid,)).fetchone()[0])\n"
             "print(ab.execute('SELECT g.Name FROM ABGroupMembers m JOIN ABGroup g ON g.ROWID = m.group_id"
             " WHERE m.member_id = ? AND m.member_type = 0', (pid,)).fetchall(),"
             " ab.execute('SELECT count(*) FROM ABStore').fetchone()[0])\n"
             "images = sqlite3.connect(sys.argv[2])\n"
             "print(images.execute(\"SELECT name FROM sqlite_master WHERE name LIKE 'AB%Image' ORDER BY"
             " name\").fetchall())\n"
             "ab.executescript(\"ALTER TABLE ABPerson ADD COLUMN PhonemeData TEXT;"
             " INSERT INTO ABPerson(ROWID, First, PhonemeData) VALUES (900, 'Phone', 'x');"
             " INSERT INTO ABMultiValueLabel(value) VALUES ('Boot');"
             " INSERT INTO ABMultiValue(record_id, property, label, value) SELECT 900, 3, ROWID, '+49 30 1'"
             " FROM ABMultiValueLabel WHERE value IN ('Boot', '_$!<Mobile>!$_') ORDER BY value\")\n"
             "ab.commit()\n"),
         QString::fromStdString(device->AddressBookFile().string()),
         QString::fromStdString(
             (device->AddressBookFile().parent_path() / "AddressBookImages.sqlitedb").string()),
         QString::fromLatin1(record.id)},
        &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(output));
    QCOMPARE(output, QStringLiteral("('Zoe', 'Ito', 'Acme', '-649641600') True 1\n"
                                    "(3, '_$!<Mobile>!$_', '+81 3 1234')\n"
                                    "(3, '_$!<WorkFAX>!$_', '+81 3 9999')\n"
                                    "(3, 'Boat', '123')\n"
                                    "(4, '_$!<Home>!$_', 'zoe@example.jp')\n"
                                    "(5, '_$!<Home>!$_', None)\n"
                                    "Street=1-2 Chiyoda;City=Tokyo;ZIP=100-0001;Country=Japan\n"
                                    "[('Family',)] 1\n"
                                    "[('ABFullSizeImage',), ('ABThumbnailImage',)]\n"));

    ContactList* list = nullptr;
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    const ContactRecord& added = list->records[list->recordCount - 1];
    QCOMPARE(Text(added.id) + Text(added.firstName), std::string("900Phone"));
    QCOMPARE(added.phoneCount, 2);
    QCOMPARE(Text(added.phones[0].label) + "|" + Text(added.phones[1].label), std::string("Boot|mobile"));
    // Nothing of the address book is left in the device database.
    const QString tables =
        Run(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral(
                 "import sqlite3, sys\n"
                 "print(sqlite3.connect(sys.argv[1]).execute(\"SELECT count(*) FROM sqlite_master WHERE"
                 " name LIKE '%contact%' OR name LIKE '%group%'\").fetchone()[0])\n"),
             QString::fromStdString(device->DatabaseFile().string())});
    QCOMPARE(tables, QStringLiteral("0\n"));
}

void TestVexaContent::builtInGroupsAreProtectedAndGroupsKeepTheirMembers() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    for (const char* builtIn : {"Friend", "Family", "Classmate", "Ungrouped"}) {
        QCOMPARE(contacts->RenameGroup(builtIn, "Other"), int(VEXA_E_PROTECTED));
        QCOMPARE(contacts->DeleteGroup(builtIn), int(VEXA_E_PROTECTED));
    }
    QCOMPARE(contacts->CreateGroup("Team"), int(VEXA_OK));
    QCOMPARE(contacts->CreateGroup("Team"), int(VEXA_E_EXISTS));
    QCOMPARE(contacts->CreateGroup(""), int(VEXA_E_INVALID_ARGUMENT));
    QCOMPARE(contacts->RenameGroup("Team", "Friend"), int(VEXA_E_EXISTS));
    QCOMPARE(contacts->RenameGroup("Nope", "X"), int(VEXA_E_NOT_FOUND));
    QCOMPARE(contacts->RenameGroup("Team", "Crew"), int(VEXA_OK));

    const char* both[] = {"Crew", "Friend"};
    QCOMPARE(contacts->SetContactGroups("1", both, 2), int(VEXA_OK));
    const char* withUnknown[] = {"Family", "Nope"};
    QCOMPARE(contacts->SetContactGroups("1", withUnknown, 2), int(VEXA_E_NOT_FOUND));
    QCOMPARE(contacts->SetContactGroups("424242", both, 2), int(VEXA_E_NOT_FOUND));

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
    QVERIFY(membersOf("Crew") == std::vector<std::string>{"1"}); // the failed change left it as it was
    QCOMPARE(contacts->DeleteGroup("Crew"), int(VEXA_OK));
    QVERIFY(membersOf("Crew").empty());
    ContactList* list = nullptr;
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    QCOMPARE(std::string(list->records[0].id), std::string("1")); // the member itself stays
}

void TestVexaContent::resultsStayValidUntilTheSameThreadCallsAgain() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    ContactList* mine = nullptr;
    QCOMPARE(contacts->GetContacts(&mine), int(VEXA_OK));
    const std::string firstName = Text(mine->records[0].firstName);
    const int count = mine->recordCount;

    std::thread other([&] {
        for (int round = 0; round < 20; ++round) {
            ContactList* theirs = nullptr;
            contacts->GetContacts(&theirs);
            ContactRecord added{};
            added.firstName = "Other thread";
            contacts->SaveContact(&added, 0);
        }
    });
    other.join();
    // Another thread's calls neither moved nor changed what this thread was handed.
    QCOMPARE(mine->recordCount, count);
    QCOMPARE(Text(mine->records[0].firstName), firstName);
    QCOMPARE(contacts->GetContacts(&mine), int(VEXA_OK));
    QCOMPARE(mine->recordCount, count + 20);
}

void TestVexaContent::playlistsShowTheLibraryAndTheUsersLists() {
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
    QCOMPARE(media->GetPlaylists(nullptr, &playlists), int(VEXA_E_INVALID_ARGUMENT));
}

void TestVexaContent::addingMediaIsAllOrNothing() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto media = CreateMediaLibrary(device);
    const fs::path song = m_root / "new song.mp3";
    vexa::formats::AudioSpec spec;
    spec.title = "Brand New";
    spec.artist = "Tester";
    QVERIFY(vexa::formats::WriteAudioFile(song, spec));
    const fs::path text = m_root / "notes.mp3";
    std::ofstream(text) << "not audio";

    auto fileCount = [&] {
        int files = 0;
        for (const auto& entry :
             fs::recursive_directory_iterator(device->MediaRoot() / "iTunes_Control/Music"))
            files += entry.is_regular_file();
        return files;
    };
    const int filesBefore = fileCount();
    const std::u16string good = U16(song), bad = U16(text);
    const char16_t* mixed[] = {good.c_str(), bad.c_str()};
    int progress = 0;
    QCOMPARE(media->AddMediaFileData(mixed, 2, &progress, 0), int(VEXA_E_UNSUPPORTED));
    QCOMPARE(fileCount(), filesBefore);

    // Windows-style separators from the music view are taken as well.
    std::u16string backslashed = good;
    std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
    const char16_t* one[] = {backslashed.c_str()};
    QCOMPARE(media->AddMediaFileData(one, 1, &progress, 1), int(VEXA_OK));
    QCOMPARE(progress, 1);
    QCOMPARE(fileCount(), filesBefore + 1);
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
    QCOMPARE(playlists[0].trackCount, 6);
    const auto& added = playlists[1].tracks[playlists[1].trackCount - 1];
    QCOMPARE(Text(added.title), std::string("Brand New"));
    QCOMPARE(Text(added.format), std::string("MPEG audio file"));
    QCOMPARE(media->AddMediaFileData(one, 1, nullptr, 42), int(VEXA_E_OUT_OF_RANGE));
}

void TestVexaContent::deletingSongsAndPlaylists() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto media = CreateMediaLibrary(device);
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
    const int library = playlists[0].trackCount;
    const int inFirst = playlists[1].trackCount;
    std::string firstPath = playlists[1].tracks[0].path;
    std::replace(firstPath.begin(), firstPath.end(), ':', '/');

    const MediaPosition outOfRange[] = {{1, 0}, {0, library}};
    QCOMPARE(media->DelMediaFileData(outOfRange, 2), int(VEXA_E_OUT_OF_RANGE));
    QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
    QCOMPARE(playlists[1].trackCount, inFirst);

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
    QCOMPARE(media->DeletePlaylist(0), int(VEXA_E_PROTECTED));
    QCOMPARE(media->DeletePlaylist(count), int(VEXA_E_OUT_OF_RANGE));
    QCOMPARE(media->DeletePlaylist(count - 1), int(VEXA_OK));
    const int after = count - 1;
    QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_OK));
    QCOMPARE(count, after);
    QCOMPARE(media->AddPlaylist(u""), int(VEXA_E_INVALID_ARGUMENT));
}

void TestVexaContent::missingOrDamagedMediaDatabaseIsReported() {
    auto device = SmallDevice();
    QVERIFY(device);
    const fs::path database = device->MediaDatabaseFile();
    const fs::path song = m_root / "for-missing.mp3";
    QVERIFY(vexa::formats::WriteAudioFile(song, {}));
    const std::u16string path = U16(song);
    const char16_t* paths[] = {path.c_str()};
    {
        fs::rename(database, database.string() + ".away");
        auto fresh = std::make_shared<SimDevice>(device->Folder());
        QCOMPARE(CreateMediaLibrary(fresh)->AddMediaFileData(paths, 1, nullptr, 0),
                 int(VEXA_MEDIA_DB_MISSING));
    }
    {
        std::ofstream(database) << "this is not a database, just forty-odd bytes of text";
        auto fresh = std::make_shared<SimDevice>(device->Folder());
        auto media = CreateMediaLibrary(fresh);
        QCOMPARE(media->AddMediaFileData(paths, 1, nullptr, 0), int(VEXA_MEDIA_DB_DAMAGED));
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        QVERIFY(media->GetPlaylists(&count, &playlists) != VEXA_OK);
    }
}

void TestVexaContent::damagedDeviceDatabaseIsReportedByEveryService() {
    auto original = SmallDevice();
    QVERIFY(original);
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

    ContactList* contacts = nullptr;
    QCOMPARE(CreateContactService(device)->GetContacts(&contacts), int(VEXA_E_DATABASE));
    ContactRecord record{};
    record.firstName = "Lost";
    QCOMPARE(CreateContactService(device)->SaveContact(&record, 0), int(VEXA_E_DATABASE));
    ResultArena arena;
    ConversationList* conversations = nullptr;
    QCOMPARE(ReadConversations(*device, arena, &conversations), int(VEXA_E_DATABASE));
    BookRecord* books = nullptr;
    int count = 0;
    QCOMPARE(CreateBookService(device)->GetBooks(&books, &count), int(VEXA_E_DATABASE));
    PhotoRecord* photos = nullptr;
    QCOMPARE(CreatePhotoLibrary(device)->GetPhotoList(&photos, &count), int(VEXA_E_DATABASE));
    QCOMPARE(CreateAlbumLibrary(device)->PrepareList(), int(VEXA_E_DATABASE));
    AppRecord* apps = nullptr;
    QCOMPARE(CreateAppLibrary(device)->GetApplistInfo(&apps, &count), int(VEXA_E_DATABASE));
    ContentCounts counts;
    QCOMPARE(CountContent(*device, counts), int(VEXA_E_DATABASE));
    // The media database is a file of its own and still answers.
    PlaylistRecord* playlists = nullptr;
    QCOMPARE(CreateMediaLibrary(device)->GetPlaylists(&count, &playlists), int(VEXA_OK));
}

void TestVexaContent::booksAddAndDelete() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto books = CreateBookService(device);
    const fs::path pdf = m_root / "Über Bücher.pdf";
    QVERIFY(vexa::formats::WritePdf(pdf, {"Über Bücher", "Jana Kühn", 2}));
    const fs::path folder = m_root / "Unpacked Book";
    QVERIFY(vexa::formats::WriteEpub(folder, {"Unpacked", "A. Author", 2}, true));
    const fs::path text = m_root / "plain.txt";
    std::ofstream(text) << "text";

    QCOMPARE(books->AddBook(U16(pdf).c_str()), int(VEXA_OK));
    QCOMPARE(books->AddBook(U16(pdf).c_str()), int(VEXA_OK)); // the same file twice gets a second name
    QCOMPARE(books->AddBook(U16(folder).c_str()), int(VEXA_OK));
    QCOMPARE(books->AddBook(U16(text).c_str()), int(VEXA_E_UNSUPPORTED));
    QCOMPARE(books->AddBook(U16(m_root / "missing.pdf").c_str()), int(VEXA_E_NOT_FOUND));

    BookRecord* records = nullptr;
    int count = 0;
    QCOMPARE(books->GetBooks(&records, &count), int(VEXA_OK));
    QCOMPARE(count, 5);
    const BookRecord added = records[2];
    QCOMPARE(std::string(added.title), std::string("Über Bücher"));
    QCOMPARE(std::string(added.author), std::string("Jana Kühn"));
    QCOMPARE(added.format, int(BOOK_PDF));
    QCOMPARE(std::string(records[3].path).substr(0, 7), std::string("/Books/"));
    QVERIFY(std::string(records[3].path) != added.path);
    QCOMPARE(records[4].format, int(BOOK_EPUB));
    const auto folderOnDevice = device->ResolveDevicePath(records[4].path);
    QVERIFY(folderOnDevice && fs::is_directory(*folderOnDevice));
    QCOMPARE(
        std::stoll(records[4].size), static_cast<long long>(0) + [&] {
            long long total = 0;
            for (const auto& entry : fs::recursive_directory_iterator(*folderOnDevice))
                total += entry.is_regular_file() ? static_cast<long long>(entry.file_size()) : 0;
            return total;
        }());

    const auto file = device->ResolveDevicePath(added.path);
    QCOMPARE(books->DeleteBook(added), int(VEXA_OK));
    QVERIFY(!fs::exists(*file));
    QCOMPARE(books->DeleteBook(added), int(VEXA_E_NOT_FOUND));
    // A record naming a path outside the books is looked up, never taken as a file to delete.
    BookRecord escaping{};
    std::strcpy(escaping.path, "/../device.json");
    QCOMPARE(books->DeleteBook(escaping), int(VEXA_E_NOT_FOUND));
    QVERIFY(fs::exists(device->InfoFile()));
    QCOMPARE(books->GetBooks(&records, &count), int(VEXA_OK));
    QCOMPARE(count, 4);
}

void TestVexaContent::photosSpanMonthsAndHaveThumbnails() {
    auto photos = CreatePhotoLibrary(m_demo);
    PhotoRecord* records = nullptr;
    int count = 0;
    QCOMPARE(photos->PrepareList(), int(VEXA_OK));
    QCOMPARE(photos->GetPhotoList(&records, &count), int(VEXA_OK));
    QCOMPARE(count, 85);
    std::set<std::string> months;
    int movies = 0;
    for (int i = 0; i < count; ++i) {
        const time_t unix = static_cast<time_t>(records[i].date + 978307200);
        char month[16];
        std::tm utc{};
        gmtime_r(&unix, &utc);
        std::strftime(month, sizeof month, "%m.%Y", &utc);
        months.insert(month);
        QVERIFY(i == 0 || records[i - 1].date <= records[i].date);
        movies += std::string(records[i].fileName).ends_with("MOV");
        QVERIFY(records[i].thumbnail == nullptr);
    }
    QVERIFY(months.size() >= 6);
    QCOMPARE(movies, 1);

    PhotoRecord& first = records[0];
    QCOMPARE(photos->LoadThumbnail(&first), int(VEXA_OK));
    QVERIFY(first.thumbnail && first.thumbnailLength > 100);
    QCOMPARE(first.thumbnail[0], uint8_t(0xFF));
    QCOMPARE(first.thumbnail[1], uint8_t(0xD8));
    // A HEIC still is shown through the phone's own small JPEG.
    PhotoRecord* stills = std::find_if(records, records + count, [](const PhotoRecord& r) {
        return std::string(r.fileName).ends_with(".HEIC");
    });
    QVERIFY(stills != records + count);
    PhotoRecord& heic = *stills;
    QCOMPARE(photos->LoadThumbnail(&heic), int(VEXA_OK));
    QVERIFY(heic.thumbnail && heic.thumbnail[0] == 0xFF && heic.thumbnail[1] == 0xD8);
    QCOMPARE(photos->LoadThumbnail(nullptr), int(VEXA_E_INVALID_ARGUMENT));
    PhotoRecord escaping = first;
    escaping.path = "/../../device.json";
    QCOMPARE(photos->LoadThumbnail(&escaping), int(VEXA_E_PATH_ESCAPE));
}

void TestVexaContent::albumsCreateImportRenameAndDelete() {
    auto device = SmallDevice();
    QVERIFY(device);
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
    QCOMPARE(albums->ImportPhotoFile(U16(png).c_str(), "00000000-0000-0000-0000-000000000064"), int(VEXA_OK));
    QCOMPARE(albums->ImportPhotoFile(U16(png).c_str(), "00000000-0000-0000-0000-000000000001"),
             int(VEXA_E_PROTECTED));
    QCOMPARE(albums->ImportPhotoFile(U16(m_root / "notes.mp3").c_str(), id.c_str()), int(VEXA_E_UNSUPPORTED));
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
    const std::string photoId = photos[0].id;
    QCOMPARE(albums->GetAlbumPhotos(&photos, &count, "00000000-0000-0000-0000-000000000064"), int(VEXA_OK));
    QCOMPARE(count, 2);

    QCOMPARE(albums->RenameAlbum("00000000-0000-0000-0000-000000000001", u"Mine"), int(VEXA_E_PROTECTED));
    QCOMPARE(albums->DeleteAlbum("00000000-0000-0000-0000-000000000064"), int(VEXA_E_PROTECTED));
    QCOMPARE(albums->RenameAlbum(id.c_str(), u"Sommer"), int(VEXA_OK));
    QCOMPARE(std::string(find(id)->name), std::string("Sommer"));
    const char* ids[] = {photoId.c_str()};
    QCOMPARE(albums->RemovePhotosFromAlbum(id.c_str(), ids, 1), int(VEXA_OK));
    QCOMPARE(find(id)->photoCount, 0);
    QCOMPARE(albums->DeleteAlbum(id.c_str()), int(VEXA_OK));
    QVERIFY(!find(id));
    QCOMPARE(albums->DeleteAlbum(id.c_str()), int(VEXA_E_NOT_FOUND));
    // The photos of a deleted album stay on the device.
    QCOMPARE(albums->GetAlbumPhotos(&photos, &count, "00000000-0000-0000-0000-000000000064"), int(VEXA_OK));
    QCOMPARE(count, 2);
}

void TestVexaContent::deletingPhotosIsAllOrNothing() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto photos = CreatePhotoLibrary(device);
    PhotoRecord* records = nullptr;
    int count = 0;
    QCOMPARE(photos->PrepareList(), int(VEXA_OK));
    QCOMPARE(photos->GetPhotoList(&records, &count), int(VEXA_OK));
    QCOMPARE(count, 6);
    const std::string first = records[0].id, second = records[1].id;
    const auto firstFile = device->ResolveDevicePath(records[0].path);

    const char* withUnknown[] = {first.c_str(), "no-such-photo"};
    QCOMPARE(photos->DeletePhotos(withUnknown, 2, 1, "Delete"), int(VEXA_E_NOT_FOUND));
    QVERIFY(fs::exists(*firstFile));
    const char* both[] = {first.c_str(), second.c_str()};
    QCOMPARE(photos->DeletePhotos(both, 2, 1, "Delete"), int(VEXA_OK));
    QCOMPARE(photos->GetDeleteProgress(), 2);
    QVERIFY(!fs::exists(*firstFile));
    QCOMPARE(photos->PrepareList(), int(VEXA_OK));
    QCOMPARE(photos->GetPhotoList(&records, &count), int(VEXA_OK));
    QCOMPARE(count, 4);
}

// The demo device made as iOS 12, 15 and 17 keep their photo library in each release's layout; the
// reader lists the same photos, months and albums from all three, and an album made in the program lands
// in the join table that Z_PRIMARYKEY's entity numbers name, as an independent reader finds it.
void TestVexaContent::photoLibraryReadsAlikeOnEachRelease() {
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
    // HEIC stills, one of them a Live Photo: its clip lies beside it and is not an asset of its own.
    vexa::ios::PhotoLibrary demo;
    QCOMPARE(vexa::ios::PhotoLibraryReader::Read(m_demo->MediaRoot() / "PhotoData/Photos.sqlite", demo),
             int(vexa::ios::kReadOk));
    int heic = 0, live = 0;
    for (const auto& asset : demo.assets) {
        if (!asset.fileName.ends_with(".HEIC"))
            continue;
        ++heic;
        const fs::path still = m_demo->MediaRoot() / asset.directory / asset.fileName;
        std::ifstream in(still, std::ios::binary);
        std::string head(12, '\0');
        in.read(head.data(), 12);
        QCOMPARE(head.substr(4), std::string("ftypheic"));
        QVERIFY(fs::exists(vexa::ios::PhotoLibraryReader::ThumbnailFile(m_demo->MediaRoot(), asset)));
        if (asset.kindSubtype == 2) {
            ++live;
            QVERIFY(fs::file_size(fs::path(still).replace_extension(".MOV")) > 1000);
        }
    }
    QCOMPARE(heic, 4);
    QCOMPARE(live, 1);
    QCOMPARE(expected.at("album Holiday 2025").size(), size_t(12));

    const char* script = R"(
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
)";
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

        auto albums = CreateAlbumLibrary(device);
        AlbumRecord* created = nullptr;
        QCOMPARE(albums->CreateAlbum(u"Neu", &created), int(VEXA_OK));
        const std::string id = created->id;
        QCOMPARE(albums->PublishAlbum(id.c_str(), created->name, ALBUM_USER), int(VEXA_OK));
        QCOMPARE(albums->ReleaseAlbum(created), int(VEXA_OK));
        QCOMPARE(albums->ImportPhotoFile(U16(png).c_str(), id.c_str()), int(VEXA_OK));
        int exitCode = -1;
        const QString output =
            Run("/usr/bin/python3", {"-c", script, QString::fromStdString(file.string()), "Neu"}, &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
        QCOMPARE(output.trimmed(), answer);
    }
    QCOMPARE(GenerateDemoDevice(m_root, "release-13", "Demo", 13), int(VEXA_E_INVALID_ARGUMENT));
}

void TestVexaContent::appsListInstallBackupAndUninstall() {
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
    QCOMPARE(apps->BackupApp("com.example.none", (m_root / "none.ipa").c_str(), 0),
             int(VEXA_APP_BACKUP_FAILED));
    QVERIFY(!fs::exists(m_root / "none.ipa"));
    int exitCode = -1;
    const QString listing = Run("7z", {"l", QString::fromStdString(withDocs.string())}, &exitCode);
    QCOMPARE(exitCode, 0);
    QVERIFY2(listing.contains("Payload/") && listing.contains("Info.plist"), qPrintable(listing));
    QVERIFY2(listing.contains("Container/Documents/settings.txt"), qPrintable(listing));
    QVERIFY(!Run("7z", {"l", QString::fromStdString(plain.string())}).contains("Container/"));

    // Backing up and reinstalling gives the app back under the same id.
    auto device = SmallDevice();
    QVERIFY(device);
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
    QCOMPARE(other->UninstallApp(".."), int(VEXA_APP_UNINSTALL_FAILED));
    QVERIFY(fs::exists(device->ApplicationsRoot()));
}

void TestVexaContent::badPackagesAreRefusedWithTheirCodes() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto apps = CreateAppLibrary(device);
    const fs::path notZip = m_root / "broken.ipa";
    std::ofstream(notZip) << "PK but not really";
    QCOMPARE(apps->InstallApp(U16(notZip).c_str()), int(VEXA_APP_INSTALL_ERROR));
    QCOMPARE(apps->InstallApp(U16(m_root / "absent.ipa").c_str()), int(VEXA_APP_PUT_FILE_ERROR));
    vexa::formats::AppBundle future;
    future.bundleId = "com.example.future";
    future.displayName = "Future";
    future.version = future.shortVersion = "1.0";
    future.minimumOS = "99.0";
    future.executable = "Future";
    const fs::path ipa = m_root / "future.ipa";
    QVERIFY(vexa::formats::WriteIpa(ipa, future));
    QCOMPARE(apps->InstallApp(U16(ipa).c_str()), int(VEXA_APP_OS_TOO_OLD));
    QVERIFY(!fs::exists(device->ApplicationsRoot() / "com.example.future"));
    AppRecord* records = nullptr;
    int count = 0;
    QCOMPARE(apps->GetApplistInfo(&records, &count), int(VEXA_OK));
    QCOMPARE(count, 1);
}

void TestVexaContent::unpluggedDeviceAndPlannedFaultsAnswerCodes() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    auto books = CreateBookService(device);
    auto media = CreateMediaLibrary(device);
    ContactList* list = nullptr;

    FaultSpec fault;
    fault.operation = "GetContacts";
    fault.code = VEXA_E_DATABASE;
    fault.after = 1;
    QCOMPARE(FaultInjector::Add(device->FaultsFile(), fault), int(VEXA_OK));
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK)); // the first call still goes through
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_E_DATABASE));
    fault.operation = "AddBook";
    fault.after = 0;
    fault.unplug = true;
    QCOMPARE(FaultInjector::Add(device->FaultsFile(), fault), int(VEXA_OK));
    QCOMPARE(books->AddBook(u"/nonexistent.pdf"), int(VEXA_E_UNPLUGGED));
    QVERIFY(!device->IsConnected());

    int count = 0;
    PlaylistRecord* playlists = nullptr;
    QCOMPARE(media->GetPlaylists(&count, &playlists), int(VEXA_E_UNPLUGGED));
    QCOMPARE(contacts->CreateGroup("While away"), int(VEXA_E_UNPLUGGED));
    QCOMPARE(FaultInjector::Clear(device->FaultsFile()), int(VEXA_OK));
    QCOMPARE(device->SetState(DeviceState{}), int(VEXA_OK));
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    for (int g = 0; g < list->groupCount; ++g)
        QVERIFY(std::string(list->groups[g].name) != "While away");
}

void TestVexaContent::concurrentChangesFromTwoThreads() {
    auto device = SmallDevice();
    QVERIFY(device);
    auto contacts = CreateContactService(device);
    auto media = CreateMediaLibrary(device);
    std::atomic<int> failures{0};
    auto worker = [&](int offset) {
        for (int i = 0; i < 40; ++i) {
            ContactRecord record{};
            const std::string name = "Thread " + std::to_string(offset) + "/" + std::to_string(i);
            record.firstName = name.c_str();
            failures += contacts->SaveContact(&record, 0) != VEXA_OK;
            ContactList* list = nullptr;
            failures += contacts->GetContacts(&list) != VEXA_OK;
            int count = 0;
            PlaylistRecord* playlists = nullptr;
            failures += media->GetPlaylists(&count, &playlists) != VEXA_OK;
        }
    };
    std::thread first(worker, 1), second(worker, 2);
    first.join();
    second.join();
    QCOMPARE(failures.load(), 0);
    ContactList* list = nullptr;
    QCOMPARE(contacts->GetContacts(&list), int(VEXA_OK));
    QCOMPARE(list->recordCount, 12 + 80);
}

void TestVexaContent::removalsComeBackUnlessCommitted() {
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

void TestVexaContent::seededMediaIsAcceptedByFfprobe() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(m_demo->MediaRoot() / "iTunes_Control/Music"))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    files.push_back(m_demo->MediaRoot() / "DCIM/100APPLE/IMG_0081.MOV");
    QCOMPARE(files.size(), size_t(26));
    for (const auto& file : files) {
        int exitCode = -1;
        const QString output = Run("ffprobe",
                                   {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0",
                                    QString::fromStdString(file.string())},
                                   &exitCode);
        QVERIFY2(exitCode == 0 && output.trimmed().toDouble() > 0.5,
                 qPrintable(QString::fromStdString(file.string()) + ": " + output));
    }
}

void TestVexaContent::seededBooksOpen() {
    // PDFs start with their header; EPUBs (zips or unpacked folders) carry "mimetype" first.
    const QString script = R"(
import os, sys, zipfile
books = sys.argv[1]
names = sorted(os.listdir(books))
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
)";
    int exitCode = -1;
    const QString output =
        Run("/usr/bin/python3",
            {"-c", script, QString::fromStdString((m_demo->MediaRoot() / "Books").string())}, &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(output));
    QCOMPARE(output.trimmed(), QString("8"));
}

QTEST_GUILESS_MAIN(TestVexaContent)
#include "tst_vexa_content.moc"
