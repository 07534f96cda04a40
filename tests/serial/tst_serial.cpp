#include "CCsvSerialImpl.h"
#include "CExcelSerialImpl.h"
#include "CExportPath.h"
#include "CHtmlSerialImpl.h"
#include "CRecordFileExport.h"
#include "CTextSerialImpl.h"
#include "CVCFSerialImpl.h"
#include "CXmlSerialImpl.h"
#include "QDndSelectSerial.h"
#include "QMessageDlg.h"
#include "QRecordExportDialog.h"
#include "TestFiles.h"
#include "WhenShown.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Contact {
    std::string id;
    std::string name;
    std::vector<std::pair<std::string, std::string>> phones;
};

// A contact record pushes its fields the way the contacts category does.
class ContactRecord : public ISerialable {
public:
    explicit ContactRecord(Contact contact)
        : m_contact(std::move(contact)) {}
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Item", -1);
        writer->WriteString("id", m_contact.id.c_str());
        writer->WriteString("Name", m_contact.name.c_str());
        for (const auto& [label, number] : m_contact.phones) {
            writer->WriteString("Type", label.c_str());
            writer->WriteString("PhoneNumber", number.c_str());
        }
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}

private:
    Contact m_contact;
};

// The item stream of a category view: the category item around its records.
class CategorySource : public ISerialable {
public:
    CategorySource(const char* category, std::vector<Contact> contacts)
        : m_category(category) {
        for (Contact& contact : contacts)
            m_records.emplace_back(std::move(contact));
    }
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem(m_category, -1);
        for (ContactRecord& record : m_records)
            record.Serialize(writer);
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}

private:
    const char* m_category;
    std::vector<ContactRecord> m_records;
};

// Begins an item with these text fields, given as name and value in turn; a repeated name is written again.
void beginItem(IBaseSerial& writer, std::initializer_list<const char*> fields, int index = -1) {
    writer.BeginItem("Item", index);
    for (auto field = fields.begin(); field + 1 < fields.end(); field += 2)
        writer.WriteString(field[0], field[1]);
}

// Two conversations of three messages each, nested as the messages category nests them.
void writeConversations(IBaseSerial& writer, const char* firstText) {
    writer.BeginItem("Messages", -1);
    for (int conversation = 0; conversation < 2; ++conversation) {
        beginItem(writer, {"Name", conversation == 0 ? "Ann" : "Bob", //
                           "PhoneNumber", conversation == 0 ? "555" : "666"});
        writer.BeginItem("Contexts", -1);
        for (int message = 0; message < 3; ++message) {
            beginItem(writer,
                      {"Datetime", "2024-01-02 03:04:05", "Type", message % 2 ? "Received" : "Sent", //
                       "Text", conversation == 0 && message == 0 ? firstText : "ok"});
            writer.EndItem();
        }
        writer.EndItem();
        writer.EndItem();
    }
    writer.EndItem();
}

class IndexModel : public QAbstractListModel {
public:
    explicit IndexModel(std::vector<ISerialable*> records)
        : m_records(std::move(records)) {}
    int rowCount(const QModelIndex& = {}) const override { return static_cast<int>(m_records.size()); }
    QVariant data(const QModelIndex&, int) const override { return {}; }
    QModelIndex index(int row, int column, const QModelIndex& = {}) const override {
        return createIndex(row, column, m_records[row]);
    }

private:
    std::vector<ISerialable*> m_records;
};

const char* const kSpecialName = "Ann; \"B,\" <C> & D";

std::vector<Contact> sampleContacts() {
    return {
        {"12", kSpecialName, {{"mobile", "555"}, {"home", "+1 (2) 3"}}},
        {"13", "Jürgen 王", {{"work", "777"}, {"main", "8"}, {"fax", "9"}}},
    };
}

// The header and rows of sampleContacts() in a table, as Python prints each row's cells.
const QStringList kContactRows = {
    QStringLiteral("['id', 'Name', 'Type', 'PhoneNumber', 'Type2', 'PhoneNumber2', 'Type3', 'PhoneNumber3']"),
    QStringLiteral("['12', 'Ann; \"B,\" <C> & D', 'mobile', '555', 'home', '+1 (2) 3', '', '']"),
    QStringLiteral("['13', 'Jürgen 王', 'work', '777', 'main', '8', 'fax', '9']"),
};

} // namespace

class TestSerial : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    // Values are escaped and long lines folded (RFC 2426); the category item makes no card.
    void vcardCardsAndLines() {
        CVCFSerialImpl writer;
        writer.BeginItem("Contacts", -1);
        const char* note = "Line one!!!!!\r\nZwei: äöü ✓, lang genug um gefaltet zu werden, über 75 Oktette";
        // clang-format off
        beginItem(writer, {"id", "1", "Name", "Ann Lee", "FirstName", "Ann", "MiddleName", "",
                           "LastName", "Lee; Jr, \\x", "NickName", "", "Note", note,
                           "Type", "mobile", "PhoneNumber", "+1 555,22;9", "Type", "work fax", "PhoneNumber", "2",
                           "Type", "Boat phone", "PhoneNumber", "3", "EmailType", "iCloud", "Email", "a@b.org"});
        // clang-format on
        writer.WriteInt64("Size", 5);
        writer.EndItem();
        // A stream with the whole name only keeps it in the family name.
        beginItem(writer, {"Name", "Solo"});
        writer.EndItem();
        writer.EndItem();
        QCOMPARE(ReadFile(save(writer, "a.vcf")),
                 QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n"
                            "N:Lee\\; Jr\\, \\\\x;Ann;;;\r\nFN:Ann Lee\r\n"
                            "TEL;TYPE=CELL:+1 555\\,22\\;9\r\nTEL;TYPE=WORK,FAX:2\r\n"
                            "item1.TEL:3\r\nitem1.X-ABLabel:Boat phone\r\n"
                            "EMAIL;TYPE=INTERNET,iCloud:a@b.org\r\n"
                            // Folded before the "ü" whose two octets would straddle octet 75.
                            "NOTE:Line one!!!!!\\nZwei: äöü ✓\\, lang genug um gefaltet zu werden\\, \r\n"
                            " über 75 Oktette\r\n"
                            "END:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Solo;;;;\r\nFN:Solo\r\nEND:VCARD\r\n"));
    }

    void xmlPrintedLayout() {
        CXmlSerialImpl writer;
        writer.BeginItem("Messages", -1);
        beginItem(writer, {"Name", "Ann"});
        writer.BeginItem("Contexts", -1);
        writer.EndItem();
        writer.EndItem();
        // Index 0 puts the new element before the first sibling of its name.
        writer.BeginItem("Item", 0);
        writer.WriteInt64("Size", 5000000000LL);
        writer.WriteUInt64("Big", UINT64_MAX);
        writer.WriteDouble("D", 1.5);
        writer.WriteBool("B", true);
        writer.WriteChar("C", -3);
        writer.WriteString("Q", "say \"hi\"");
        QCOMPARE(
            ReadFile(save(writer, "layout.xml")),
            QByteArray("<Messages>\r\n"
                       "    <Item Size=\"5000000000\" Big=\"18446744073709551615\" D=\"1.500000\" B=\"true\""
                       " C=\"-3\" Q='say &quot;hi&quot;' />\r\n"
                       "    <Item Name=\"Ann\">\r\n        <Contexts />\r\n    </Item>\r\n"
                       "</Messages>\r\n"));
    }

    void xmlNullNamesAndStack() {
        CXmlSerialImpl writer;
        QVERIFY(!writer.WriteString("Name", "x"));
        QVERIFY(!writer.EndItem());
        QVERIFY(!writer.BeginItem(nullptr, -1));
        QVERIFY(writer.BeginItem("Contacts", -1));
        QVERIFY(!writer.WriteString(nullptr, "x"));
        QVERIFY(writer.EndItem());
        QVERIFY(!writer.EndItem());
        QCOMPARE(ReadFile(save(writer, "empty.xml")), QByteArray("<Contacts />\r\n"));
    }

    void xmlReadOperations() {
        CXmlSerialImpl writer;
        writeConversations(writer, "first");
        writer.BeginItem("Messages", -1);
        writer.WriteInt64("Size", -5000000000LL);
        writer.WriteUInt("U", 4000000000U);
        writer.WriteFloat("F", 0.25f);
        writer.EndItem();
        QVERIFY(!writer.EnterItem("Nothing", 0));
        QVERIFY(writer.EnterItem("Messages", 5)); // stops at the last sibling
        QCOMPARE(writer.ReadInt64("Size"), -5000000000LL);
        QCOMPARE(writer.ReadUInt("U"), 4000000000U);
        QCOMPARE(writer.ReadFloat("F"), 0.25f);
        QVERIFY(writer.LeaveItem());
        QVERIFY(writer.EnterItem("Messages", 0));
        QVERIFY(writer.EnterItem("Item", 1));
        QCOMPARE(writer.ReadString("Name"), std::string("Bob"));
        QCOMPARE(writer.ReadInt("PhoneNumber"), 666);
        QCOMPARE(writer.ReadString("Missing"), std::string());
        QVERIFY(!writer.ReadBool("Name"));
        QVERIFY(writer.LeaveItem());
        QVERIFY(writer.LeaveItem());
        QVERIFY(!writer.LeaveItem());
    }

    void xmlReadByLxml() {
        const char* const text = "a < b && \"c\" 'd'\n\tü";
        CXmlSerialImpl writer;
        CategorySource("Contacts", sampleContacts()).Serialize(&writer);
        writeConversations(writer, text);
        const QStringList lines = PythonLines(R"(
import sys
from lxml import etree
doc = etree.fromstring(b'<root>' + open(sys.argv[1], 'rb').read() + b'</root>')
for item in doc.find('Contacts'):
    print(repr([item.get(k) for k in ('id', 'Name', 'Type', 'PhoneNumber', 'Type2', 'PhoneNumber2', 'Type3')]))
messages = doc.find('Messages')
print(len(messages), len(messages[0].find('Contexts')))
print(repr(messages[0].find('Contexts')[0].get('Text')))
)",
                                              {save(writer, "read.xml")});
        QCOMPARE(
            lines,
            QStringList({
                // Every number of a contact: a repeated field is numbered, not replaced.
                QStringLiteral("['12', 'Ann; \"B,\" <C> & D', 'mobile', '555', 'home', '+1 (2) 3', None]"),
                QStringLiteral("['13', 'Jürgen 王', 'work', '777', 'main', '8', 'fax']"),
                QStringLiteral("2 3"),
                QStringLiteral("'a < b && \"c\" \\'d\\'\\n\\tü'"),
            }));
    }

    // A value with a comma, a quote, a line break and text outside the BMP comes back whole; a contact
    // with fewer numbers than another leaves their columns empty.
    void csvReadByPythonsCsvModule() {
        const std::string awkward = "a, \"b\"\r\nc \xF0\x9F\x98\x80";
        CCsvSerialImpl writer;
        auto contacts = sampleContacts();
        contacts.push_back({"14", awkward, {}});
        CategorySource("Contacts", contacts).Serialize(&writer);
        const QString path = save(writer, "contacts.csv");
        const QByteArray bytes = ReadFile(path);
        QVERIFY(bytes.startsWith(
            "\xEF\xBB\xBFid,Name,Type,PhoneNumber,Type2,PhoneNumber2,Type3,PhoneNumber3\r\n"));
        QCOMPARE(PythonLines(R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    for row in csv.reader(f, strict=True):
        print(repr(row))
)",
                             {path}),
                 kContactRows +
                     QStringList{QStringLiteral("['14', 'a, \"b\"\\r\\nc 😀', '', '', '', '', '', '']")});

        // Messages: each row carries its conversation's fields.
        CCsvSerialImpl messages;
        writeConversations(messages, awkward.c_str());
        QVERIFY(messages.SaveFile(path.toUtf8().constData()));
        const QStringList rows = QString::fromUtf8(ReadFile(path)).split(QStringLiteral("\r\n"));
        QCOMPARE(rows.size(), 1 + 6 + 2); // header, six messages, the quoted line break, the last CRLF
        QCOMPARE(rows.at(0),
                 QStringLiteral("Name,PhoneNumber,Datetime,Type,Text")); // after the byte order mark
        QCOMPARE(rows.at(3), QStringLiteral("Ann,555,2024-01-02 03:04:05,Received,ok"));
    }

    // A self-contained page: one table of contacts, and per conversation a heading above its messages;
    // everything escaped, line breaks kept.
    void htmlReadByLxml() {
        const std::string awkward = "<b>&amp; \"q\", 'x'\nnext \xF0\x9F\x98\x80";
        CHtmlSerialImpl contacts;
        CategorySource("Contacts", sampleContacts()).Serialize(&contacts);
        const QString contactsPath = save(contacts, "contacts.html");
        CHtmlSerialImpl messages;
        writeConversations(messages, awkward.c_str());
        const QString messagesPath = save(messages, "messages.html");
        const char* const script = R"(
import sys
import lxml.html
page = lxml.html.parse(sys.argv[1]).getroot()
print(page.findtext('head/title'), len(page.findall('.//script')), len(page.findall('.//link')))
for section in page.findall('body/section'):
    print('#', section.findtext('h2'))
for table in page.iter('table'):
    print([th.text_content() for th in table.iter('th')])
    for tr in table.find('tbody'):
        print(repr([td.text_content() for td in tr]))
)";
        QCOMPARE(PythonLines(script, {contactsPath}),
                 QStringList{QStringLiteral("Contacts 0 0")} + kContactRows);
        const QStringList lines = PythonLines(script, {messagesPath});
        QCOMPARE(lines.size(), 1 + 2 + 2 * 4);
        QCOMPARE(lines.mid(0, 5),
                 QStringList({"Messages 0 0", "# Ann (555)", "# Bob (666)", "['Datetime', 'Type', 'Text']",
                              "['2024-01-02 03:04:05', 'Sent', '<b>&amp; \"q\", \\'x\\'\\nnext 😀']"}));
    }

    // Device texts are not always valid UTF-8; every file must still open in its reader.
    void invalidUtf8AndSpacedLabelsStillGiveReadableFiles() {
        const std::string broken = "Ann\xff\xfe \xc3( B\xe2\x82";
        // The editor's own "work fax" is no parameter token either.
        const std::string number = std::string("55\x80") + "5";
        auto source = CategorySource("Contacts", {{"1", broken, {{"work fax", number}}}});
        const std::pair<const char*, const char*> readers[] = {{"broken.xml", R"(
import sys
from lxml import etree
doc = etree.fromstring(b'<root>' + open(sys.argv[1], 'rb').read() + b'</root>')
print(doc.find('Contacts')[0].get('Name').startswith('Ann'))
)"},
                                                               {"broken.vcf", R"(
import sys, vobject
cards = list(vobject.readComponents(open(sys.argv[1], encoding='utf-8', newline='').read()))
print(len(cards) == 1 and len(cards[-1].contents['tel']) == 1 and cards[-1].fn.value.startswith('Ann'))
)"},
                                                               {"broken.xls", R"(
import sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_name('Sheet1')
print(any(str(sheet.cell_value(r, c)).startswith('Ann') for r in range(sheet.nrows) for c in range(sheet.ncols)))
)"}};
        for (const auto& [name, script] : readers) {
            const QString path = m_dir.filePath(QLatin1String(name));
            QVERIFY(CRecordFileExport::Export(source, path.toStdString()));
            QCOMPARE(PythonLines(script, {path}), QStringList({"True"}));
        }
    }

    // A contact's picture is an inline base64 PHOTO, folded like any long line, that a vCard reader
    // decodes to the same bytes.
    void vcardPhotoReadByVobject() {
        QByteArray jpeg("\xFF\xD8\xFF\xE0");
        for (int i = 0; i < 300; ++i)
            jpeg.append(char(i * 7));
        CVCFSerialImpl writer;
        const QByteArray photo = jpeg.toBase64();
        beginItem(writer, {"Name", "Ann", "Photo", photo.constData()});
        writer.EndItem();
        const QString path = save(writer, "photo.vcf");
        const QString expected = m_dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(WriteFile(expected, jpeg));
        QCOMPARE(PythonLines(R"(
import sys, vobject
card = vobject.readOne(open(sys.argv[1], encoding='utf-8', newline='').read())
photo = card.photo
print(photo.params.get('TYPE'), photo.value == open(sys.argv[2], 'rb').read())
)",
                             {path, expected}),
                 QStringList({QStringLiteral("['JPEG'] True")}));
    }

    void textParagraphs() {
        CTextSerialImpl writer;
        CategorySource("Contacts", {{"12", "Ann", {{"mobile", "555"}}}, {"13", "B\r\nC", {}}})
            .Serialize(&writer);
        writer.BeginItem("Item", -1);
        writer.WriteBool("B", false);
        writer.WriteUChar("U", 200);
        writer.WriteShort("S", -2);
        writer.WriteUInt64("L", UINT64_MAX);
        writer.WriteFloat("F", 2.5f);
        writer.WriteString("Null", nullptr);
        QCOMPARE(ReadFile(save(writer, "a.txt")),
                 QByteArray("\r\n\r\n"
                            "id: 12; Name: Ann; Type: mobile; PhoneNumber: 555; \r\n\r\n"
                            "id: 13; Name: B\r\nC; \r\n\r\n"
                            "B: 0; U: 200; S: -2; L: 18446744073709551615; F: 2.500000; \r\n\r\n"));
    }

    void spreadsheetContacts() {
        CExcelSerialImpl writer;
        QVERIFY(!writer.WriteString("Name", "nowhere"));
        QVERIFY(!writer.EndItem());
        CategorySource("Contacts", sampleContacts()).Serialize(&writer);
        QCOMPARE(readSheet(save(writer, "contacts.xls")),
                 QStringList({
                     QStringLiteral("Sheet1 3"),
                     QStringLiteral("0: |*id|*Name|*Type|*PhoneNumber|*Type|*PhoneNumber"),
                     QStringLiteral("1: |12|") + QString::fromUtf8(kSpecialName) +
                         QStringLiteral("|mobile|555|home|+1 (2) 3"),
                     QStringLiteral("2: |13|Jürgen 王|work|777|main|8|fax|9"),
                 }));
    }

    void spreadsheetMessages() {
        CExcelSerialImpl writer;
        writeConversations(writer, "line\nbreak");
        const QStringList rows = readSheet(save(writer, "messages.xls"));
        QCOMPARE(rows.size(), 12);
        QCOMPARE(rows.mid(1, 4),
                 QStringList({"0: |*Name|*PhoneNumber", "1: |Ann|555", "2: ||*Datetime|*Type|*Text",
                              "3: ||2024-01-02 03:04:05|Sent|line\\nbreak"}));
        QCOMPARE(rows.mid(7, 2), QStringList({"6: |Bob|666", "7: ||*Datetime|*Type|*Text"}));
    }

    void spreadsheetInsertsByIndex() {
        CExcelSerialImpl writer;
        writer.BeginItem("List", -1);
        for (const char* name : {"b", "c"}) {
            beginItem(writer, {"N", name});
            writer.EndItem();
        }
        // Inserted first, it takes sequence 0 and so carries a header; the old first keeps its own.
        beginItem(writer, {"N", "a"}, 0);
        writer.EndItem();
        beginItem(writer, {"N", "d"}, 9);
        QCOMPARE(readSheet(save(writer, "order.xls")).mid(1),
                 QStringList({"0: |*N", "1: |a", "2: |*N", "3: |b", "4: |c", "5: |d"}));
    }

    void extensionAndFolderRules() {
        const std::pair<const char*, const char*> extensions[] = {{"/x/Contacts.VCF", ".vcf"},
                                                                  {"/x/a.b/name", ""},
                                                                  {"C:\\a.b\\name", ""},
                                                                  {"/x/name", ""},
                                                                  {"/x/a.tar.Xls", ".xls"}};
        for (const auto& [path, extension] : extensions)
            QCOMPARE(CExportPath::Extension(path), std::string(extension));
        const std::pair<const char*, const char*> folders[] = {{"/home/u/a.b/name.txt", "/home/u/a.b/"},
                                                               {"C:\\Users\\u.txt", "C:\\Users\\"},
                                                               {"/name.txt", ""},
                                                               {"name.txt", ""}};
        for (const auto& [path, folder] : folders)
            QCOMPARE(CExportPath::FolderPart(path), std::string(folder));

        // A name typed without one of the offered extensions gets the chosen type's.
        const std::string filters =
            QRecordExportDialog::FilterFor(QStringLiteral("QContactsView")).toStdString();
        const std::pair<const char*, const char*> typed[] = {
            {"/x/contacts_all", "/x/contacts_all.vcf"}, {"/x/v1.2", "/x/v1.2.vcf"},
            {"/x/a.b/name", "/x/a.b/name.vcf"},         {"/x/kept.VCF", "/x/kept.VCF"},
            {"/x/other.xml", "/x/other.xml"},
        };
        for (const auto& [path, expected] : typed)
            QCOMPARE(CExportPath::WithChosenExtension(path, filters, "vcf files (*.vcf)"),
                     std::string(expected));
        QCOMPARE(CExportPath::WithChosenExtension("/x/list", filters, "text files (*.txt)"),
                 std::string("/x/list.txt"));
    }

    void exportPicksWriterAndCreatesFolders() {
        auto source = contactsSource();
        const QString base = m_dir.filePath(QStringLiteral("新しい/Папка/"));
        // The extension picks the writer, whatever its case; a file without one is refused.
        const std::pair<const char*, QByteArray> starts[] = {
            {"list.TXT", "\r\n\r\nid: 12; Name: Ann;"}, {"list.xml", "<Contacts>\r\n    <Item id=\"12\""},
            {"list.xls", "\xD0\xCF\x11\xE0"},           {"list.Csv", "\xEF\xBB\xBFid,Name,"},
            {"list.html", "<!DOCTYPE html>"},           {"noext", QByteArray()}};
        for (const auto& [name, start] : starts) {
            QCOMPARE(CRecordFileExport::Export(*source, (base + name).toStdString()), !start.isEmpty());
            QVERIFY(ReadFile(base + name).startsWith(start));
        }
        QVERIFY(!CRecordFileExport::Export(*source, (base + "list.pdf").toStdString()));
        QVERIFY(!CRecordFileExport::Export(*source, m_dir.filePath("a.vcf/name").toStdString()));
        QCOMPARE(QDir(base).entryList(QDir::Files).size(), 5);
    }

    void unwritableTargetIsReported() {
        QVERIFY(WriteFile(m_dir.filePath("file"), QByteArray()));
        // A plain file where a folder must go: nothing can be created, nothing breaks, and every writer
        // says that it wrote nothing.
        for (const char* name : {"a.vcf", "a.xml", "a.txt", "a.xls"}) {
            const QString path = m_dir.filePath(QStringLiteral("file/sub/") + name);
            QCOMPARE(CRecordFileExport::ExportFile(*contactsSource(), path.toStdString()),
                     CRecordFileExport::Result::WriteFailed);
            QVERIFY(!CRecordFileExport::Export(*contactsSource(), path.toStdString()));
            QVERIFY(!QFile::exists(path));
        }
    }

    void dndSelectionVisitsValidIndexes() {
        ContactRecord first({"1", "A", {}});
        ContactRecord second({"2", "B", {}});
        IndexModel model({&first, &second});
        QDndSelectSerial selection({model.index(1, 0), QModelIndex(), model.index(0, 0), model.index(1, 0)});
        selection.Serialize(nullptr);
        CTextSerialImpl writer;
        selection.Serialize(&writer);
        QCOMPARE(ReadFile(save(writer, "dnd.txt")),
                 QByteArray("id: 2; Name: B; \r\n\r\nid: 1; Name: A; \r\n\r\nid: 2; Name: B; \r\n\r\n"));
    }

    void nothingCheckedOnlyWarns() {
        // A source that fails the test if it is ever asked for records.
        struct Untouchable : ISerialable {
            void Serialize(IBaseSerial*) override { QFAIL("exported with nothing checked"); }
            void Deserialize(IBaseSerial*) override {}
        } source;
        QString shown;
        WhenShown<QMessageDlg>([&shown](QMessageDlg* dialog) {
            shown = dialog->Message();
            dialog->reject();
        });
        QRecordExportDialog::RunChecked(nullptr, &source, false);
        QCOMPARE(shown, QStringLiteral("Please choose one or more items first!"));
    }

private:
    // Where `writer` saved its file, or an empty path when it could not.
    template <class Writer> QString save(Writer& writer, const char* name) {
        const QString path = m_dir.filePath(QLatin1String(name));
        return writer.SaveFile(path.toUtf8().constData()) ? path : QString();
    }

    static std::unique_ptr<ISerialable> contactsSource() {
        return std::make_unique<CategorySource>("Contacts", sampleContacts());
    }

    // Every non-empty row as "row: cell|cell", bold cells marked with "*", after the sheet name and
    // row count.
    static QStringList readSheet(const QString& path) {
        return PythonLines(R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheet = book.sheet_by_name('Sheet1')
print(sheet.name, sheet.nrows)
for r in range(sheet.nrows):
    cells = []
    for c in range(sheet.row_len(r)):
        cell = sheet.cell(r, c)
        assert cell.ctype in (xlrd.XL_CELL_TEXT, xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK)
        bold = book.font_list[book.xf_list[cell.xf_index].font_index].bold
        cells.append(('*' if bold and cell.value else '') + cell.value.replace('\n', '\\n'))
    while cells and not cells[-1]:
        cells.pop()
    print(str(r) + ': ' + '|'.join(cells))
)",
                           {path});
    }

    QTemporaryDir m_dir;
};

int runFileExportTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestSerial records;
    int failures = QTest::qExec(&records, argc, argv);
    failures += runFileExportTests(argc, argv);
    return failures;
}
#include "tst_serial.moc"
