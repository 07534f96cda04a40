// The message database and call history readers, and the text taken out of an archived attributedBody,
// on files and blobs made here from the published layouts.
#include <cstring>
#include <vector>

#include <QTemporaryDir>
#include <QtTest>

#include "IosTests.h"
#include "ios/AttributedBodyText.h"
#include "ios/CallHistoryReader.h"
#include "ios/MessageDatabaseReader.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

namespace {

// A typedstream integer: one byte below 0x80, else a 0x81 / 0x82 tag and 2 / 4 bytes.
QByteArray Integer(qint64 value, bool bigEndian) {
    if (value >= 0 && value < 0x80)
        return QByteArray(1, char(value));
    const int width = value <= 0x7FFF ? 2 : 4;
    QByteArray out(1, char(width == 2 ? 0x81 : 0x82));
    for (int i = 0; i < width; ++i)
        out += char((value >> (8 * (bigEndian ? width - 1 - i : i))) & 0xFF);
    return out;
}

QByteArray Shared(const char* text) {
    return QByteArray("\x84", 1) + char(std::strlen(text)) + text;
}

// An NSMutableAttributedString as the Messages app archives it: the string, one run over all of it, and
// the run's attribute dictionary.
QByteArray ArchivedBody(const QByteArray& utf8, bool bigEndian = false) {
    QByteArray body("\x04\x0B", 2);
    body += bigEndian ? "typedstream" : "streamtyped";
    body += Integer(1000, bigEndian);
    body += Shared("@") + "\x84\x84" + Shared("NSMutableAttributedString") + '\0';
    body += QByteArray("\x84") + Shared("NSAttributedString") + '\0';
    body += QByteArray("\x84") + Shared("NSObject") + QByteArray("\0\x85", 2);
    body += QByteArray("\x92\x84\x84") + Shared("NSString") + "\x01\x95" + Shared("+");
    body += Integer(utf8.size(), bigEndian) + utf8 + "\x86";
    body += Shared("iI") + '\x01' + Integer(QString::fromUtf8(utf8).size(), bigEndian);
    body +=
        QByteArray("\x92\x84\x84") + Shared("NSDictionary") + QByteArray("\0\x95", 2) + Shared("i") + "\x01";
    body += QByteArray("\x92\x84\x97\x97") + char(29) + "__kIMMessagePartAttributeName\x86";
    body += QByteArray("\x92\x84\x84") + Shared("NSNumber") + QByteArray("\0\x84", 2) + Shared("NSValue");
    body += QByteArray("\0\x95", 2) + Shared("*") + "\x84\x9A\x9A" + QByteArray("\0\x86\x86\x86", 4);
    return body;
}

// The blob is copied into an allocation of exactly its size, so that a read past its end is one the
// address sanitizer sees.
std::string Extracted(const QByteArray& blob, bool* ok = nullptr, qsizetype size = -1) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(blob.constData());
    const std::vector<uint8_t> exact(bytes, bytes + (size < 0 ? blob.size() : size));
    std::string text;
    const bool read = AttributedBodyText(exact.data(), exact.size(), text);
    if (ok)
        *ok = read;
    return text;
}

// The conversations a line each, with their messages, reactions and attachments indented below.
QStringList Summary(const std::vector<ChatConversation>& chats) {
    QStringList lines;
    for (const ChatConversation& chat : chats) {
        std::string line =
            (chat.group ? "group " : "single ") + chat.identifier + " '" + chat.displayName + "'";
        for (const std::string& participant : chat.group ? chat.participants : std::vector<std::string>())
            line += " " + participant;
        lines << QString::fromStdString(line);
        for (const ChatMessage& m : chat.messages) {
            lines << QString::fromStdString("  " + m.sender + " " + std::to_string(m.unixTime) +
                                            (m.textFromBody ? " body" : "") + (m.fromMe ? " mine" : "") +
                                            (m.read ? " read" : "") + " '" + m.text + "'");
            for (const MessageAttachment& a : m.attachments)
                lines << QString::fromStdString("    " + a.fileName + " " + a.mimeType + " " +
                                                a.transferName + " " + std::to_string(a.totalBytes));
        }
        for (const MessageReaction& r : chat.reactions)
            lines << QString::fromStdString("  reaction " + std::to_string(r.type) + " to " + r.targetGuid);
    }
    return lines;
}

} // namespace

class MessageDatabaseTests : public QObject {
    Q_OBJECT

private slots:
    void takesTheTextOutOfAnArchivedBody_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("bigEndian");
        QTest::newRow("short") << QByteArray("Noter test") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("127 bytes, one length byte") << QByteArray(127, 'a') << false;
        QTest::newRow("200 bytes, two length bytes") << QByteArray(200, 'b') << false;
        QTest::newRow("70000 bytes, four length bytes") << QByteArray(70000, 'c') << false;
        QTest::newRow("non-BMP letters and emoji")
            << QByteArray("\xF0\x9D\x90\x80\xF0\x9D\x90\x81 \xF0\x9F\x98\x80 gr\xC3\xBC\xC3\x9F") << false;
        QTest::newRow("attachment marks") << QByteArray("\xEF\xBF\xBC\xEF\xBF\xBCtwo photos") << false;
        QTest::newRow("big-endian stream, two length bytes") << QByteArray(300, 'd') << true;
    }
    void takesTheTextOutOfAnArchivedBody() {
        QFETCH(QByteArray, text);
        QFETCH(bool, bigEndian);
        const QByteArray blob = ArchivedBody(text, bigEndian);
        bool ok = false;
        QCOMPARE(Extracted(blob, &ok), text.toStdString());
        QVERIFY(ok);
        // Every shorter piece of the blob is refused or yields the whole text: never a part, never a
        // read past its end.
        for (qsizetype cut = 0; cut < blob.size(); ++cut) {
            if (cut > 400 && cut < blob.size() - 64)
                continue; // the middle of a long text is cut like any other part of it
            const std::string got = Extracted(blob, &ok, cut);
            QVERIFY2(ok ? got == text.toStdString() : got.empty(), qPrintable(QString::number(cut)));
        }
    }

    void refusesWhatIsNoArchivedText_data() {
        QTest::addColumn<QByteArray>("blob");
        const QByteArray good = ArchivedBody("hello");
        auto patched = [&good](const char* find, const QByteArray& with) {
            QByteArray copy = good;
            return copy.replace(QByteArray(find), with);
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("keyed archive") << QByteArray("bplist00\xd4\x01\x02\x03\x04");
        QTest::newRow("other signature") << patched("streamtyped", "streamtypes");
        QTest::newRow("no string") << patched("+", "*");
        QTest::newRow("negative length")
            << patched(QByteArray("+\x05", 2).constData(), QByteArray("+\xFF", 2));
        QTest::newRow("float tag as length")
            << patched(QByteArray("+\x05", 2).constData(), QByteArray("+\x83", 2));
        QTest::newRow("length past the end")
            << patched(QByteArray("+\x05", 2).constData(), QByteArray("+\x82\xFF\xFF\xFF\x7F", 6));
        QTest::newRow("not UTF-8") << ArchivedBody("bad \xFF byte");
        QTest::newRow("surrogate in UTF-8") << ArchivedBody("\xED\xA0\x80");
    }
    void refusesWhatIsNoArchivedText() {
        QFETCH(QByteArray, blob);
        bool ok = true;
        QCOMPARE(Extracted(blob, &ok), std::string());
        QVERIFY(!ok);
    }

    void readsConversationsGroupsReactionsAndAttachments() {
        QTemporaryDir dir;
        const std::string file = dir.filePath("sms.db").toStdString();
        const QByteArray body = ArchivedBody("from the body \xF0\x9F\x98\x80");
        QVERIFY(ExecuteSql(file, QString::fromUtf8(R"sql(
            CREATE TABLE handle(ROWID INTEGER PRIMARY KEY, id TEXT, service TEXT);
            CREATE TABLE chat(ROWID INTEGER PRIMARY KEY, guid TEXT, style INTEGER, chat_identifier TEXT,
                              display_name TEXT, extra_column BLOB);
            CREATE TABLE chat_handle_join(chat_id INTEGER, handle_id INTEGER);
            CREATE TABLE message(ROWID INTEGER PRIMARY KEY, guid TEXT, text TEXT, attributedBody BLOB,
                                 handle_id INTEGER, service TEXT, date INTEGER, is_from_me INTEGER,
                                 is_read INTEGER, cache_has_attachments INTEGER,
                                 associated_message_type INTEGER, associated_message_guid TEXT);
            CREATE TABLE chat_message_join(chat_id INTEGER, message_id INTEGER, message_date INTEGER,
                                           PRIMARY KEY(chat_id, message_id));
            CREATE TABLE attachment(ROWID INTEGER PRIMARY KEY, guid TEXT, filename TEXT, mime_type TEXT,
                                    transfer_name TEXT, total_bytes INTEGER);
            CREATE TABLE message_attachment_join(message_id INTEGER, attachment_id INTEGER);
            INSERT INTO handle VALUES (1, '+15551230001', 'SMS'), (2, 'ann@example.com', 'iMessage');
            INSERT INTO chat VALUES (1, 'iMessage;+;chat1', 43, 'chat1', 'Climbing', NULL),
                                    (2, 'SMS;-;+15551230001', 45, '+15551230001', '', NULL),
                                    (3, 'SMS;-;x', 45, NULL, NULL, NULL);
            INSERT INTO chat_handle_join VALUES (1, 1), (1, 2), (2, 1), (3, 2);
            INSERT INTO message VALUES
              (1, 'G1', 'hi all', NULL, 2, 'iMessage', 721692800000000000, 0, 1, 0, 0, NULL),
              (2, 'G2', NULL, X'%1', 0, 'iMessage', 721692860000000000, 1, 1, 0, 0, NULL),
              (3, 'G3', NULL, NULL, 1, 'iMessage', 721692900000000000, 0, 0, 0, 2000, 'p:0/G2'),
              (4, 'G4', X'EFBFBC' || 'look', NULL, 1, 'SMS', 721692800, 0, 0, 1, 0, NULL),
              (5, 'G5', 'no chat', NULL, 1, 'SMS', NULL, 1, 0, 0, 0, NULL);
            INSERT INTO chat_message_join VALUES (1, 3, 0), (1, 1, 0), (1, 2, 0), (2, 4, 0), (9, 5, 0);
            INSERT INTO attachment VALUES (1, 'A1', '~/Library/SMS/Attachments/0a/10/A1/IMG_0001.HEIC',
                                           'image/heic', 'IMG_0001.HEIC', 123456);
            INSERT INTO message_attachment_join VALUES (4, 1);
        )sql")
                                     .arg(QString::fromLatin1(body.toHex()))
                                     .toStdString()));

        std::vector<ChatConversation> chats;
        QCOMPARE(MessageDatabaseReader().Read(file, chats), int(kReadOk));
        // The tapback (the lowest type, a heart) is no message; read but not sent by the user are flags of
        // their own; a mark is taken out where the photo was; dates before iOS 11 are in seconds; a chat
        // without its own identifier is known by its correspondent.
        QCOMPARE(Summary(chats),
                 QStringList({"group chat1 'Climbing' +15551230001 ann@example.com",
                              "  ann@example.com 1700000000 read 'hi all'",
                              "   1700000060 body mine read 'from the body 😀'", "  reaction 2000 to p:0/G2",
                              "single +15551230001 ''", "  +15551230001 1700000000 'look'",
                              "    ~/Library/SMS/Attachments/0a/10/A1/IMG_0001.HEIC image/heic "
                              "IMG_0001.HEIC 123456",
                              "single ann@example.com ''"}));
    }

    // Only files inside the attachments folder are handed out, wherever the database says the home is.
    void placesAttachmentsBelowTheHomeFolder_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("homePath");
        const QString inside = QStringLiteral("Library/SMS/Attachments/0a/10/A1/IMG_0001.HEIC");
        QTest::newRow("home") << "~/" + inside << inside;
        QTest::newRow("mobile") << "/var/mobile/" + inside << inside;
        QTest::newRow("private") << "/private/var/mobile/" + inside << inside;
        QTest::newRow("climbs out") << QStringLiteral("~/Library/SMS/Attachments/../sms.db") << QString();
        QTest::newRow("dot part") << QStringLiteral("~/Library/SMS/Attachments/./x.jpg") << QString();
        QTest::newRow("empty part") << QStringLiteral("~/Library/SMS/Attachments//x.jpg") << QString();
        QTest::newRow("other folder") << QStringLiteral("~/Library/SMS/sms.db") << QString();
        QTest::newRow("the folder alone") << QStringLiteral("~/Library/SMS/Attachments/") << QString();
    }
    void placesAttachmentsBelowTheHomeFolder() {
        QFETCH(QString, fileName);
        QFETCH(QString, homePath);
        QCOMPARE(QString::fromStdString(MessageDatabaseReader::AttachmentHomePath(fileName.toStdString())),
                 homePath);
    }

    // Old, trimmed or odd files: whatever is optional may be missing, and values of the wrong kind read as
    // what SQLite makes of them; a missing required table, a missing or foreign file get their codes.
    void toleratesMissingOptionalPartsAndWrongTypes_data() {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("firstText");
        const QString minimal = "CREATE TABLE chat(ROWID INTEGER PRIMARY KEY);"
                                "CREATE TABLE chat_message_join(chat_id INTEGER, message_id INTEGER);"
                                "INSERT INTO chat VALUES (1); INSERT INTO chat_message_join VALUES (1, 1);";
        QTest::newRow("only the required tables")
            << minimal + "CREATE TABLE message(ROWID INTEGER PRIMARY KEY, text TEXT);"
                         "INSERT INTO message VALUES (1, 'plain');"
            << int(kReadOk) << "plain";
        QTest::newRow("wrong types")
            << minimal +
                   "CREATE TABLE message(ROWID INTEGER PRIMARY KEY, text, attributedBody, handle_id, "
                   "date, is_from_me, associated_message_type);"
                   "CREATE TABLE handle(ROWID INTEGER PRIMARY KEY, id);"
                   "INSERT INTO handle VALUES (1, 42);"
                   "INSERT INTO message VALUES (1, NULL, 'text, not a blob', 'one', 'yesterday', 'yes', 'x');"
            << int(kReadOk) << "";
        QTest::newRow("number as text") << minimal + "CREATE TABLE message(ROWID INTEGER PRIMARY KEY, text);"
                                                     "INSERT INTO message VALUES (1, 42);"
                                        << int(kReadOk) << "42";
        QTest::newRow("no chat table")
            << "CREATE TABLE message(ROWID INTEGER PRIMARY KEY, text TEXT);"
               "CREATE TABLE chat_message_join(chat_id INTEGER, message_id INTEGER);"
            << int(kReadDamaged) << "";
        QTest::newRow("join columns renamed")
            << "CREATE TABLE chat(ROWID INTEGER PRIMARY KEY); CREATE TABLE message(ROWID INTEGER PRIMARY "
               "KEY);"
               "CREATE TABLE chat_message_join(chat INTEGER, message INTEGER);"
            << int(kReadDamaged) << "";
        QTest::newRow("missing file") << QString() << int(kReadMissing) << "";
    }
    void toleratesMissingOptionalPartsAndWrongTypes() {
        QFETCH(QString, schema);
        QFETCH(int, expected);
        QFETCH(QString, firstText);
        QTemporaryDir dir;
        const std::string file = dir.filePath("sms.db").toStdString();
        if (!schema.isEmpty())
            QVERIFY(ExecuteSql(file, schema.toStdString()));
        std::vector<ChatConversation> chats;
        QCOMPARE(MessageDatabaseReader().Read(file, chats), expected);
        if (expected != kReadOk) {
            QVERIFY(chats.empty());
            return;
        }
        QCOMPARE(chats.size(), size_t(1));
        QCOMPARE(chats[0].messages.size(), size_t(1));
        QCOMPARE(chats[0].messages[0].text, firstText.toStdString());
    }

    void readsTheCallHistory_data() {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("calls");
        QTest::newRow("full")
            << "CREATE TABLE ZCALLRECORD(Z_PK INTEGER PRIMARY KEY, ZADDRESS, ZDATE TIMESTAMP, ZDURATION "
               "FLOAT,"
               " ZORIGINATED INTEGER, ZANSWERED INTEGER, ZCALLTYPE INTEGER, ZSERVICE_PROVIDER VARCHAR);"
               "INSERT INTO ZCALLRECORD VALUES (1, '+15551230001', 721692800.5, 62.5, 1, 1, 1, NULL),"
               " (2, CAST('ann@example.com' AS BLOB), 721692900.0, 0, 0, 0, 16, 'com.apple.Telephony');"
            << int(kReadOk) << 2;
        QTest::newRow("address only") << "CREATE TABLE ZCALLRECORD(Z_PK INTEGER PRIMARY KEY, ZADDRESS);"
                                         "INSERT INTO ZCALLRECORD VALUES (1, '+15551230001');"
                                      << int(kReadOk) << 1;
        QTest::newRow("older layout")
            << "CREATE TABLE call(ROWID INTEGER PRIMARY KEY, address TEXT);" << int(kReadDamaged) << 0;
        QTest::newRow("missing file") << QString() << int(kReadMissing) << 0;
    }
    void readsTheCallHistory() {
        QFETCH(QString, schema);
        QFETCH(int, expected);
        QFETCH(int, calls);
        QTemporaryDir dir;
        const std::string file = dir.filePath("CallHistory.storedata").toStdString();
        if (!schema.isEmpty())
            QVERIFY(ExecuteSql(file, schema.toStdString()));
        std::vector<CallRecord> records;
        QCOMPARE(CallHistoryReader().Read(file, records), expected);
        QCOMPARE(int(records.size()), calls);
        if (calls == 2) {
            // Newest first; a BLOB address reads as its text; incoming and not answered is a missed call.
            QCOMPARE(records[0].address, std::string("ann@example.com"));
            QVERIFY(!records[0].outgoing && !records[0].answered);
            QCOMPARE(records[0].callType, 16);
            QCOMPARE(records[1].unixTime, int64_t(1700000000));
            QCOMPARE(records[1].durationSeconds, 62.5);
            QVERIFY(records[1].outgoing && records[1].answered);
        }
    }
};

VEXA_IOS_TEST(MessageDatabaseTests)
#include "MessageDatabaseTests.moc"
