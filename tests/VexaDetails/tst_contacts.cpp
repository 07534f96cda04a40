#include <map>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "AddContactsDlg.h"
#include "AddContactsWidget.h"
#include "CContactChunk.h"
#include "CContactRecords.h"
#include "CRecordFileExport.h"
#include "LanguageService.h"
#include "ModelTexts.h"
#include "PageFixture.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QGroupNameDlg.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QRecordExportDialog.h"
#include "TestFiles.h"
#include "WhenShown.h"
#include "contactsWay.h"
#include "sim/ContentServices.h"

namespace {

const char* const kUdid = "00008101-00000000000C0A71";

void FillEditor(AddContactsDlg* dialog, const QString& first, const QString& last, const QString& group,
                const QList<QPair<QString, QString>>& phones) {
    AddContactsWidget* form = dialog->Form();
    form->findChild<QLineEdit*>("m_btn_firstName")->setText(first);
    form->findChild<QLineEdit*>("m_btn_lastName")->setText(last);
    auto* groups = form->findChild<QComboBox*>("m_btn_group");
    groups->setCurrentIndex(std::max(0, int(groups->findData(group))));
    QList<contactsWay*> rows = form->Rows(contactsWay::PhoneKind);
    for (int i = 0; i < phones.size(); ++i) {
        if (i >= rows.size()) {
            emit rows.last()->signalAdd(false);
            rows = form->Rows(contactsWay::PhoneKind);
        }
        rows[i]->SetEntry(phones[i].first, phones[i].second);
    }
    dialog->OnBtnYes();
}

std::string Text(const char* text) {
    return text ? text : "";
}

} // namespace

namespace {

// What a card read back by python3-vobject holds, in the shape of ContactJson.
const char* const kReadCards = R"(
import sys, json, hashlib, vobject
TYPES = {'HOME': 'home', 'CELL': 'mobile', 'WORK': 'work', 'WORK,FAX': 'work fax', 'HOME,FAX': 'home fax',
         'FAX': 'other fax', 'PAGER': 'page', 'OTHER': 'other'}
text = open(sys.argv[1], encoding='utf-8', newline='').read()
assert all(len(line.encode()) <= 75 for line in text.split('\r\n')), 'unfolded line'
for card in vobject.readComponents(text):
    labels = {line.group: line.value for line in card.contents.get('x-ablabel', [])}
    def entries(name, value=lambda v: v):
        out = []
        for line in card.contents.get(name, []):
            types = ','.join(t for t in line.params.get('TYPE', []) if t != 'INTERNET')
            out.append([labels[line.group] if line.group else TYPES.get(types, types), value(line.value)])
        return out
    one = lambda name: card.contents[name][0].value if name in card.contents else ''
    n = card.n.value
    org = one('org') or ['']
    print(json.dumps({'first': n.given, 'middle': n.additional, 'last': n.family, 'name': card.fn.value,
                      'nick': one('nickname'), 'note': one('note'), 'phones': entries('tel'),
                      'emails': entries('email'), 'org': org[0], 'dept': ';'.join(org[1:]),
                      'title': one('title'), 'bday': one('bday'), 'urls': entries('url'),
                      'addresses': entries('adr', lambda a: [a.street, a.city, a.region, a.code, a.country]),
                      'photo': hashlib.md5(card.photo.value).hexdigest() if 'photo' in card.contents else ''}))
)";

// The work, birthday, street and web fields of each item of an XML export, then the same four single
// fields of each row of a spreadsheet export.
const char* const kReadXml = R"(
import sys, json, re
from lxml import etree
def numbered(item, name):
    keys = [k for k in item.keys() if re.fullmatch(name + r'\d*', k)]
    return [item.get(k) for k in sorted(keys, key=lambda k: int(k[len(name):] or 1))]
for item in etree.parse(sys.argv[1]).iter('Item'):
    print(json.dumps([item.get(n) for n in ('Organization', 'Department', 'JobTitle', 'Birthday')] +
                     [numbered(item, 'Street'), numbered(item, 'Url')]))
)";
const char* const kReadSheet = R"(
import sys, json, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
columns = [sheet.row_values(0).index(n) for n in ('Organization', 'Department', 'JobTitle', 'Birthday')]
for r in range(1, sheet.nrows):
    print(json.dumps([sheet.row_values(r)[c] for c in columns]))
)";

// One compact JSON text per line a python script prints about `path`; empty when the script fails.
QStringList ReadBack(const char* script, const QString& path) {
    QStringList lines = PythonLines(script, {path});
    for (QString& line : lines)
        line = QString::fromUtf8(QJsonDocument::fromJson(line.toUtf8()).toJson(QJsonDocument::Compact));
    return lines;
}

QString Compact(const QJsonArray& array) {
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QJsonArray EntriesJson(const std::vector<CContactChunk::Entry>& entries) {
    QJsonArray out;
    for (const auto& [label, value] : entries)
        out.append(QJsonArray{QString::fromStdString(label), QString::fromStdString(value)});
    return out;
}

QString ContactJson(const CContactChunk& chunk) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    QJsonArray addresses;
    for (const CContactChunk::Address& a : chunk.addresses)
        addresses.append(QJsonArray{text(a.label), QJsonArray{text(a.street), text(a.city), text(a.region),
                                                              text(a.postalCode), text(a.country)}});
    const QJsonObject object{
        {"first", text(chunk.firstName)},
        {"middle", text(chunk.middleName)},
        {"last", text(chunk.lastName)},
        {"name", text(chunk.displayName)},
        {"nick", text(chunk.nickName)},
        {"note", text(chunk.note)},
        {"phones", EntriesJson(chunk.phones)},
        {"emails", EntriesJson(chunk.secondList)},
        {"org", text(chunk.organization)},
        {"dept", text(chunk.department)},
        {"title", text(chunk.jobTitle)},
        {"bday", text(chunk.birthday)},
        {"urls", EntriesJson(chunk.urls)},
        {"addresses", addresses},
        {"photo", chunk.picture.empty()
                      ? QString()
                      : QString::fromLatin1(QCryptographicHash::hash(QByteArray::fromStdString(chunk.picture),
                                                                     QCryptographicHash::Md5)
                                                .toHex())}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

class tst_contacts : public QObject, PageFixture {
    Q_OBJECT
public slots:
    // Stands in for the file browser an export opens.
    void OnOpenUrl(const QUrl&) {}

private slots:
    void initTestCase() {
        QVERIFY(StartPage(kUdid, "Contacts Phone"));
        m_service = m_manager->GetContactService();
        QVERIFY(m_service);
    }

    void cleanupTestCase() { StopPage(); }

    void init() {
        ResetMessages();
        ResetDevice();
    }

    void cleanup() { ClearFaults(); }

    // Loading

    void loadShowsNamesNumbersAndGroups() {
        const std::string ann = AddContact(
            "Ann", nullptr, "Lee",
            {{0, "work", "+1 555 0101"}, {0, "home", "+1 555 0102"}, {0, "mobile", "+1 555 0103"}});
        const std::string middle = AddContact(nullptr, "Middle", nullptr);
        const std::string lonely = AddContact("", "", "Solo");
        QVERIFY(!ann.empty() && !middle.empty() && !lonely.empty());
        QCOMPARE(m_service->CreateGroup("Climbing Club"), 0);
        const char* both[] = {"Family", "Climbing Club"};
        QCOMPARE(m_service->SetContactGroups(ann.c_str(), both, 2), 0);

        QContactsView view(m_manager, m_phone.Handle());
        QSignalSpy refreshed(&view, &QContactsView::emitRefreshContactsNode);
        QSignalSpy finished(&view, &QBaseDetailsView::loadFinished);
        Load(view);
        QCOMPARE(QList<QVariantList>(finished), QList<QVariantList>{{3}});
        QCOMPARE(QList<QVariantList>(refreshed), QList<QVariantList>{{m_phone.Handle()}});
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Table);
        QCOMPARE(view.GetChunkCount(), 3);
        QVERIFY(view.GroupNames().contains(QStringLiteral("Climbing Club")));
        QVERIFY(view.GroupNames().contains(QStringLiteral("Friend")));

        // The table comes sorted by name (a contact with only a middle name shows exactly that part); a
        // header click sorts by its column, descending on the second.
        const auto shown = [&view](int column) { return ColumnTexts(view.SortModel(), column); };
        QCOMPARE(shown(0), QStringList({"Ann Lee", "Middle", "Solo"}));
        // Numbers in device order, groups in the device's group order, joined as shown.
        QCOMPARE(shown(QContactsModel::PhoneColumn),
                 QStringList({"+1 555 0101; +1 555 0102; +1 555 0103", "", ""}));
        QCOMPARE(shown(QContactsModel::GroupColumn),
                 QStringList({"Family Climbing Club", "Ungrouped", "Ungrouped"}));
        QCOMPARE(shown(QContactsModel::StatusColumn), QStringList({"", "", ""}));
        view.TableView()->sortByColumn(QContactsModel::GroupColumn, Qt::DescendingOrder);
        QCOMPARE(shown(2).first(), QStringLiteral("Ungrouped"));
        QCOMPARE(shown(2).last(), QStringLiteral("Family Climbing Club"));
        view.TableView()->sortByColumn(QContactsModel::NameColumn, Qt::AscendingOrder);

        QVERIFY(view.RemoveChunk(0));
        QCOMPARE(view.GetChunkCount(), 3); // answered true, removed nothing

        // The search filters across columns; a group shows only its members, and with the search both hold.
        view.OnSearchString("0102;");
        QCOMPARE(view.SortModel()->rowCount(), 1);
        view.OnSearchString(QString());
        view.ShowGroup("Climbing Club");
        QCOMPARE(view.SortModel()->rowCount(), 1);
        QCOMPARE(view.SortModel()->index(0, 0).data().toString(), QStringLiteral("Ann Lee"));
        view.OnSearchString("solo");
        QCOMPARE(view.SortModel()->rowCount(), 0);
        view.OnSearchString(QString());
        view.ShowGroup(QString());
        QCOMPARE(view.SortModel()->rowCount(), 3);
    }

    // The loader ranks the records so that sorting compares numbers; the order must be the one the texts
    // give (digits by value, letter case aside), equal texts side by side, a record whose text changed since
    // must find its place by its new text, and a kept index (the selection) follows its record.
    void ranksSortLikeTheTextsAndYieldToEditedOnes() {
        const char* const people[] = {"Song 18", "song 2", "Alma", "Song 2", "Zed"};
        const char* const numbers[] = {"+1 555 20", "+1 555 3", "+1 555 100", "+1 555 3", ""};
        std::list<IBaseChunk*> chunks;
        for (size_t i = 0; i < std::size(people); ++i) {
            auto* chunk = new CContactChunk(nullptr);
            chunk->displayName = people[i];
            if (*numbers[i])
                chunk->phones.push_back({"mobile", numbers[i]});
            chunk->UpdateTexts();
            chunks.push_back(chunk);
        }
        ContactRecords::RankChunks(chunks);
        QContactsModel model;
        model.SetChunkList(&chunks);
        const QPersistentModelIndex zedIndex = model.index(4, 0);
        model.SortBy(QContactsModel::NameColumn, Qt::AscendingOrder);
        const QStringList names = ColumnTexts(&model);
        QCOMPARE(names.mid(0, 1), QStringList{"Alma"});
        QCOMPARE(QStringList(names.mid(1, 2)).join(',').toLower(), QStringLiteral("song 2,song 2"));
        QCOMPARE(names.mid(3), QStringList({"Song 18", "Zed"}));
        QCOMPARE(zedIndex.row(), 4);
        model.SortBy(QContactsModel::PhoneColumn, Qt::DescendingOrder);
        QCOMPARE(ColumnTexts(&model, 1),
                 QStringList({"+1 555 100", "+1 555 20", "+1 555 3", "+1 555 3", ""}));
        QCOMPARE(zedIndex.data().toString(), QStringLiteral("Zed"));

        // Renamed after the load: its ranks are stale, its text decides, and the order holds over a reset.
        auto* zed = static_cast<CContactChunk*>(chunks.back());
        zed->displayName = "Aaron";
        zed->UpdateTexts();
        model.SortBy(QContactsModel::NameColumn, Qt::AscendingOrder);
        model.Reset();
        QCOMPARE(ColumnTexts(&model).mid(0, 2), QStringList({"Aaron", "Alma"}));
        model.SetChunkList(nullptr);
        qDeleteAll(chunks);
    }

    void membershipIsByExactIdText() {
        ContactRecord records[3]{};
        records[0].id = "a1";
        records[0].firstName = "Lower";
        records[1].id = "A1";
        records[1].firstName = "Upper";
        records[2].firstName = "No id"; // skipped
        const char* firstMembers[] = {"a1", "zz"};
        const char* secondMembers[] = {"a1"};
        ContactGroupRecord groups[2]{};
        groups[0] = {0, 2, "Work", firstMembers};
        groups[1] = {0, 1, "Chess", secondMembers};
        ContactList list{3, records, 2, groups};

        QStringList names;
        std::list<IBaseChunk*> chunks = ContactRecords::BuildChunks(list, nullptr, &names);
        QCOMPARE(names, QStringList({"Work", "Chess"}));
        QCOMPARE(chunks.size(), size_t(2));
        auto* lower = static_cast<CContactChunk*>(chunks.front());
        auto* upper = static_cast<CContactChunk*>(chunks.back());
        QCOMPARE(lower->groups, std::string("Work Chess"));
        QVERIFY(upper->groups.empty());
        qDeleteAll(chunks);

        QCOMPARE(ContactRecords::DisplayName(nullptr, nullptr, nullptr), std::string());
    }

    // Editing

    void editorKeepsOneValuePerLabelAndThePictureAsJpeg() {
        AddContactsWidget form;
        form.SetGroups({"Friend", "Ungrouped", "Team"});
        auto* groups = form.findChild<QComboBox*>("m_btn_group");
        QCOMPARE(groups->count(), 3); // no group, Friend, Team
        QCOMPARE(form.Data().group, std::string());

        QList<contactsWay*> phones = form.Rows(contactsWay::PhoneKind);
        QCOMPARE(phones.size(), 1);
        emit phones[0]->signalAdd(false);
        emit phones[0]->signalAdd(false);
        phones = form.Rows(contactsWay::PhoneKind);
        QCOMPARE(phones.size(), 3);
        phones[0]->SetEntry("work", QStringLiteral("111"));
        phones[1]->SetEntry("home", QStringLiteral("222"));
        phones[2]->SetEntry("home", QStringLiteral("333"));
        form.OnAddField();
        QList<contactsWay*> emails = form.Rows(contactsWay::EmailKind);
        QCOMPARE(emails.size(), 1);
        emails[0]->SetEntry("iCloud", QStringLiteral("a@example.org")); // a label of its own

        const ContactFormData data = form.Data();
        QCOMPARE(data.phones.size(), size_t(2));
        QCOMPARE(data.phones.begin()->first, std::string("home")); // ascending label order
        QCOMPARE(data.phones.at("home"), std::string("333"));
        QCOMPARE(data.emails.at("iCloud"), std::string("a@example.org"));

        // Removing rows: e-mail rows may all go, the last phone row is only emptied.
        emit emails[0]->signalMinus(false);
        QCOMPARE(form.Rows(contactsWay::EmailKind).size(), 0);
        for (contactsWay* row : form.Rows(contactsWay::PhoneKind))
            emit row->signalMinus(false);
        QCOMPARE(form.Rows(contactsWay::PhoneKind).size(), 1);
        QVERIFY(form.Data().phones.empty());

        // The picture: what is not one is refused with a message.
        QTemporaryDir folder;
        const QString notAPicture = folder.filePath("note.jpg");
        QVERIFY(WriteFile(notAPicture, "not a picture"));
        QVERIFY(!form.LoadPhoto(notAPicture));
        QVERIFY(!form.LoadPhoto(folder.filePath("missing.jpg")));
        QTRY_COMPARE(
            m_messages->Messages().count(QStringLiteral("Get photo data failed! Please choose another one!")),
            2);
        QVERIFY(form.Data().picture.empty());

        // A PNG becomes a JPEG of the same picture; a JPEG is kept byte for byte.
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString png = folder.filePath("face.png");
        const QString jpeg = folder.filePath("face.jpg");
        QVERIFY(image.save(png) && image.save(jpeg));
        QVERIFY(form.LoadPhoto(png));
        const std::string converted = form.Data().picture;
        QVERIFY(converted.rfind("\xFF\xD8\xFF", 0) == 0);
        QCOMPARE(QImage::fromData(QByteArray::fromStdString(converted)).size(), QSize(16, 12));
        QVERIFY(form.LoadPhoto(jpeg));
        QCOMPARE(QByteArray::fromStdString(form.Data().picture), ReadFile(jpeg));

        // Editing a contact starts from its picture; a new one starts without.
        CContactChunk chunk(nullptr);
        chunk.picture = converted;
        form.Fill(chunk);
        QCOMPARE(form.Data().picture, converted);
        form.ClearForm();
        QVERIFY(form.Data().picture.empty());

        // "Change Photo" offers the folder's pictures.
        QStringList patterns;
        WhenShown<QFileDialog>([&patterns](QFileDialog* dialog) {
            const QString filter = dialog->selectedNameFilter();
            patterns = filter.section(QLatin1Char('('), 1).chopped(1).split(QLatin1Char(' '));
            dialog->reject();
        });
        form.OnChangePhoto();
        for (const char* name : {"face.png", "face.jpg", "face.jpeg", "face.bmp", "face.gif"})
            QVERIFY2(QDir::match(patterns, QString::fromLatin1(name)), name);
        QVERIFY(!QDir::match(patterns, QStringLiteral("note.txt")));
    }

    void addEditAndDeleteReachTheDevice() {
        ContactEntry url{0, "homepage", "https://had.example.org"};
        ContactAddress address{"work", "Kai 1; Hof", "Zürich", nullptr, "8001", "Schweiz"};
        ContactRecord more{};
        more.organization = "Acme, Inc.";
        more.jobTitle = "Chef";
        more.birthday = "1970-01-31";
        more.addressCount = 1;
        more.addresses = &address;
        more.urlCount = 1;
        more.urls = &url;
        const std::string middleId = AddContact("Had", "Middle", "Name", {{0, "home", "900"}}, more);
        QContactsView view(m_manager, m_phone.Handle());
        Load(view);
        QSignalSpy counted(&view, &QContactsView::addContactNum);

        // Add: an empty contact is refused with what it lacks and the editor stays; the filled one
        // reaches the device with its numbers and group.
        bool stayedOpen = false;
        WhenShown<AddContactsDlg>([&stayedOpen](AddContactsDlg* dialog) {
            dialog->Form()->findChild<QLineEdit*>("m_btn_nickName")->setText(QStringLiteral("  "));
            dialog->OnBtnYes();
            stayedOpen = dialog->isVisible();
            FillEditor(dialog, "Zoë", "Müller", "Family", {{"mobile", "+49 30 1"}, {"work", "+49 30 2"}});
        });
        view.OnAddContact();
        QVERIFY(stayedOpen);
        QCOMPARE(m_messages->Messages(),
                 QStringList({QStringLiteral("The contact is empty. Please enter a name, a "
                                             "phone number or an e-mail address.")}));
        m_messages->Clear();
        QCOMPARE(counted.count(), 2);
        QCOMPARE(counted.at(0).at(1).toInt(), 1);
        QCOMPARE(counted.at(1).at(1).toInt(), 0);
        const int row = RowOf(view, "Zoë Müller");
        QVERIFY(row >= 0);
        QCOMPARE(Cell(view, row, QContactsModel::GroupColumn), QStringLiteral("Family"));
        auto* added = static_cast<CContactChunk*>(view.ContactsModel()->ChunkAt(row));
        QVERIFY(!added->GetId().empty());
        QCOMPARE(DeviceNames().at(added->GetId()), std::string("Zoë||Müller|+49 30 1"));
        Load(view);
        QCOMPARE(Cell(view, RowOf(view, "Zoë Müller"), QContactsModel::GroupColumn),
                 QStringLiteral("Family"));

        // Edit: the form comes filled and shows what it does not edit; the middle name, work, birthday
        // and addresses, which the editor does not edit, survive.
        const int middleRow = RowOf(view, "Had Middle Name");
        view.ClickTableView(view.SortModel()->mapFromSource(view.ContactsModel()->index(middleRow, 0)));
        QVERIFY(view.StatusPanel());
        WhenShown<AddContactsDlg>([](AddContactsDlg* dialog) {
            auto* first = dialog->Form()->findChild<QLineEdit*>("m_btn_firstName");
            QCOMPARE(first->text(), QStringLiteral("Had"));
            QCOMPARE(dialog->Form()->findChild<QLabel*>("m_labelDetails")->text(),
                     QStringLiteral("Company: Acme, Inc.\nJob Title: Chef\nBirthday: 1970-01-31\n"
                                    "Address (work): Kai 1; Hof, 8001 Zürich, Schweiz\n"
                                    "Web Page (homepage): https://had.example.org"));
            first->setText(QStringLiteral("Has"));
            dialog->Form()->Rows(contactsWay::PhoneKind).front()->SetEntry("home", QStringLiteral("901"));
            dialog->OnBtnYes();
        });
        emit view.StatusPanel()->ClickEdit();
        QVERIFY(m_messages->Messages().isEmpty());
        QCOMPARE(DeviceNames().at(middleId), std::string("Has|Middle|Name|901"));
        ContactList* list = nullptr;
        QCOMPARE(m_service->GetContacts(&list), 0);
        const ContactRecord& kept = list->records[0].id == middleId ? list->records[0] : list->records[1];
        QCOMPARE(Text(kept.organization) + "|" + Text(kept.jobTitle) + "|" + Text(kept.birthday) + "|" +
                     Text(kept.addresses ? kept.addresses[0].street : nullptr) + "|" +
                     Text(kept.urls ? kept.urls[0].value : nullptr),
                 std::string("Acme, Inc.|Chef|1970-01-31|Kai 1; Hof|https://had.example.org"));
        QCOMPARE(view.GetChunkCount(), 2);

        // Delete this contact from the context menu: the right-clicked row alone goes, then the other.
        view.resize(800, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRect cell = view.TableView()->visualRect(view.SortModel()->index(0, 1));
        const QString clicked = view.SortModel()->index(0, 0).data().toString();
        m_messages->SetAnswerYes(true);
        view.PrepareContextMenu(cell.center());
        view.OnDeleteSelectItem();
        QCOMPARE(m_messages->Messages(), QStringList({"Are you sure to delete the selected item(s)?"}));
        QCOMPARE(view.GetChunkCount(), 1);
        QCOMPARE(RowOf(view, clicked), -1);
        QCOMPARE(DeviceNames().size(), size_t(1));
        view.PrepareContextMenu(cell.center());
        view.OnDeleteSelectItem();
        QCOMPARE(view.GetChunkCount(), 0);
        QVERIFY(DeviceNames().empty());
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
    }

    // The user's steps with the mouse: the pencil of a row, Cancel, tick another contact, Delete.
    void editCancelledThenDeleteCheckedAsksAndDeletes() {
        const std::string kept = AddContact("Ann", nullptr, "Edited", {{0, "home", "1"}});
        AddContact("Bo", nullptr, "Ticked");
        QContactsView view(m_manager, m_phone.Handle());
        Load(view);
        view.resize(800, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView* table = view.TableView();
        const auto cell = [&](const char* name, int column) {
            const int row = RowOf(view, QString::fromUtf8(name));
            return table->visualRect(
                view.SortModel()->mapFromSource(view.ContactsModel()->index(row, column)));
        };
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell("Ann Edited", 1).center());
        QVERIFY(view.StatusPanel());
        auto* edit = view.StatusPanel()->findChild<QPushButton*>("m_btnEdit");
        QVERIFY(edit);
        WhenShown<AddContactsDlg>([](AddContactsDlg* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("m_btnCancel"), Qt::LeftButton);
        });
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(!view.findChild<AddContactsDlg*>());

        QStyleOptionViewItem option;
        option.initFrom(table);
        option.rect = cell("Bo Ticked", 0);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(view.HasCheckedChunk());
        m_messages->SetAnswerYes(true);
        QTest::mouseClick(view.OperatePanel()->findChild<QPushButton*>("m_deleteBtn"), Qt::LeftButton);
        QCOMPARE(m_messages->Messages(), QStringList({"Are you sure to delete the selected item(s)?"}));
        QCOMPARE(view.GetChunkCount(), 1);
        QCOMPARE(DeviceNames().size(), size_t(1));
        QVERIFY(DeviceNames().count(kept));
    }

    // Export and groups

    // Every field of every contact survives a vCard export read by another program, including the
    // characters vCard escapes and text long enough to be folded. Saved under a name typed without an
    // extension, the export takes the chosen type's.
    void exportKeepsEveryFieldOfEveryContact() {
        const char* firsts[] = {"Ann", "Zoë", "Jean, Luc", "王", "O;Neil", "Line\nBreak", ""};
        const char* middles[] = {"", "B.", "von; der"};
        const char* lasts[] = {"Lee", "Müller", "Back\\slash", "李", "Smith, Jr."};
        const char* phoneLabels[] = {"home",      "mobile", "work",  "work fax",   "home fax",
                                     "other fax", "page",   "other", "Boat phone", "iPhone"};
        const char* emailLabels[] = {"home", "work", "iCloud", "other"};
        // Work, birthday, postal and web addresses: each present in some contacts and absent in others.
        const char* organizations[] = {"", "Acme, Inc.", "R&D; Labs", "北京数据科技有限公司", "Line\nCo"};
        const char* titles[] = {"Chief, Engineer", "", "经理; Ärztin"};
        std::vector<ContactAddress> allAddresses = {
            {"home", "Hauptstraße 12\nHinterhaus", "Köln", "NRW", "50667", "Deutschland"},
            {"work", "1 Main St; Suite 4, Floor 2", "Springfield", "", "", "USA"},
            {"Summer house", "", "北京", "北京市", "100022", "中国"},
            {"other", "", "", "", "", "Österreich"}};
        std::vector<ContactEntry> allUrls = {{0, "homepage", "https://example.org/a?b=1,2;c"},
                                             {0, "work", "http://例子.测试/"},
                                             {0, "Blog", "x"}};
        for (int i = 0; i < 50; ++i) {
            const std::string n = std::to_string(i);
            const std::string nick = i % 3 == 0 ? std::string() : "Nick, " + n;
            const std::string note = i % 4 == 0 ? std::string()
                                                : "Note; " + n +
                                                      "\nsecond line, with ✓ and more than seventy-five "
                                                      "octets of text so that it folds: äöü ß";
            std::vector<std::string> texts;
            for (int k = 0; k < i % 4; ++k)
                texts.push_back("+1 (555) 0" + n + std::to_string(k) + ",22;9");
            for (int k = 0; k < i % 3; ++k)
                texts.push_back("user" + n + "." + std::to_string(k) + "@exämple.org");
            std::vector<ContactEntry> phones;
            std::vector<ContactEntry> emails;
            for (int k = 0; k < i % 4; ++k)
                phones.push_back({0, phoneLabels[(i + k) % 10], texts[size_t(k)].c_str()});
            for (int k = 0; k < i % 3; ++k)
                emails.push_back({0, emailLabels[(i + k) % 4], texts[size_t(i % 4 + k)].c_str()});
            ContactRecord record{};
            record.firstName = firsts[i % 7];
            record.middleName = middles[i % 3];
            record.lastName = lasts[i % 5];
            record.nickName = nick.empty() ? nullptr : nick.c_str();
            record.note = note.empty() ? nullptr : note.c_str();
            record.phoneCount = int32_t(phones.size());
            record.phones = phones.empty() ? nullptr : phones.data();
            record.secondCount = int32_t(emails.size());
            record.secondList = emails.empty() ? nullptr : emails.data();
            const std::string birthday =
                "19" + std::to_string(50 + i) + "-0" + std::to_string(1 + i % 9) + "-2" + n.back();
            record.organization = organizations[i % 5];
            record.department = i % 3 == 1 ? "Sales, East; 2" : nullptr;
            record.jobTitle = titles[i % 3];
            record.birthday = i % 4 == 3 ? nullptr : birthday.c_str();
            record.addressCount = i % 3;
            record.addresses = allAddresses.data() + i % 2;
            record.urlCount = (i + 1) % 3;
            record.urls = allUrls.data() + i % 2;
            // A few have a picture, which the card carries as its PHOTO.
            QByteArray picture;
            if (i % 7 == 1) {
                QImage image(40 + i, 30, QImage::Format_RGB32);
                image.fill(QColor::fromHsv(i * 7 % 360, 200, 200));
                QBuffer buffer(&picture);
                QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "JPG"));
                record.picture = reinterpret_cast<const uint8_t*>(picture.constData());
                record.pictureSize = int32_t(picture.size());
            }
            QCOMPARE(m_service->SaveContact(&record, 0), 0);
        }
        QContactsView view(m_manager, m_phone.Handle());
        Load(view);
        QCOMPARE(view.GetChunkCount(), 50);
        // The first contact stays unchecked and out of the file.
        QStringList expected, expectedItems, expectedRows;
        for (int row = 0; row < view.GetChunkCount(); ++row) {
            auto* chunk = static_cast<CContactChunk*>(view.GetChunk(row));
            chunk->SetChecked(row > 0);
            if (row == 0)
                continue;
            expected << ContactJson(*chunk);
            const QJsonArray single{
                QString::fromStdString(chunk->organization), QString::fromStdString(chunk->department),
                QString::fromStdString(chunk->jobTitle), QString::fromStdString(chunk->birthday)};
            QJsonArray streets, urls;
            for (const CContactChunk::Address& address : chunk->addresses)
                streets.append(QString::fromStdString(address.street));
            for (const CContactChunk::Entry& url : chunk->urls)
                urls.append(QString::fromStdString(url.second));
            expectedRows << Compact(single);
            QJsonArray item = single;
            item << streets << urls;
            expectedItems << Compact(item);
        }

        QTemporaryDir folder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnOpenUrl");
        WhenShown<QFileDialog>([&folder](QFileDialog* dialog) {
            // The filter's words follow the language; its pattern does not.
            for (const QString& filter : dialog->nameFilters())
                if (filter.contains(QLatin1String("*.vcf")))
                    dialog->selectNameFilter(filter);
            // Typed as a user would, once the dialog has settled on its start folder.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(folder.filePath("contacts_all"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        QRecordExportDialog::Run(&view, &view);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        const QString path = folder.filePath("contacts_all.vcf");
        QVERIFY2(QFile::exists(path), qPrintable(QDir(folder.path()).entryList(QDir::Files).join(' ')));

        const QStringList cards = ReadBack(kReadCards, path);
        QCOMPARE(cards.size(), expected.size());
        for (int i = 0; i < cards.size(); ++i)
            QCOMPARE(cards.at(i), expected.at(i));

        // The XML and spreadsheet exports carry the same fields.
        for (const char* name : {"contacts.xml", "contacts.xls"})
            QCOMPARE(CRecordFileExport::ExportFile(view, folder.filePath(QLatin1String(name)).toStdString()),
                     CRecordFileExport::Result::Written);
        QCOMPARE(ReadBack(kReadXml, folder.filePath("contacts.xml")), expectedItems);
        QCOMPARE(ReadBack(kReadSheet, folder.filePath("contacts.xls")), expectedRows);

        // A row's own export checks only that row; cancelling the save dialog writes nothing, and the marks
        // stay as the export set them.
        view.ContactsModel()->ChunkAt(0)->SetChecked(false);
        view.ContactsModel()->ChunkAt(1)->SetChecked(true);
        view.ClickTableView(view.SortModel()->mapFromSource(view.ContactsModel()->index(0, 0)));
        WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        emit view.StatusPanel()->ClickTransfer();
        QVERIFY(view.ContactsModel()->ChunkAt(0)->IsChecked());
        QVERIFY(!view.ContactsModel()->ChunkAt(1)->IsChecked());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 3);
    }

    void groupActionsReachTheDevice() {
        QContactsView view(m_manager, m_phone.Handle());
        Load(view);
        WhenShown<QGroupNameDlg>([](QGroupNameDlg* dialog) {
            dialog->SetGroupName("  Book Club ");
            dialog->OnBtnOk();
        });
        QVERIFY(QMetaObject::invokeMethod(&view, "OnNewGroup", Q_ARG(QString, QStringLiteral("Friend"))));
        QTRY_VERIFY(!view.IsRunning());
        QTRY_VERIFY(view.GroupNames().contains(QStringLiteral("Book Club")));

        // A built-in group cannot be renamed: the user hears of it and the list stays.
        view.OnRenameGroup(QStringLiteral("Family"), QStringLiteral("Kin"));
        QCOMPARE(m_messages->Messages(), QStringList({"Rename group failed!"}));
        m_messages->Clear();

        m_messages->SetAnswerYes(true);
        QVERIFY(
            QMetaObject::invokeMethod(&view, "OnDeleteGroup", Q_ARG(QString, QStringLiteral("Book Club"))));
        QTRY_VERIFY(!view.GroupNames().contains(QStringLiteral("Book Club")));
        QVERIFY(view.GroupNames().contains(QStringLiteral("Family")));
    }

    // A listing, delete or edit that finds nothing to do, is answered no, or fails on the device: the user
    // hears why, the device keeps what it had and the page stays usable. Last: the final row unplugs the
    // device, which comes back under a new handle.

    void refusedOrFailedCallsLeaveThePageUsable_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("contact");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("code"); // the device's answer; -1: unplugged during the call
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("rowsAfter");
        const QString sure = QStringLiteral("Are you sure to delete the selected item(s)?");
        const QStringList listFailed{"Get Contact information failed!"};
        const auto row = [](const char* name, const char* call, bool contact, bool checked, bool yes,
                            int code, const QStringList& messages, int rowsAfter) {
            QTest::newRow(name) << QString(call) << contact << checked << yes << code << messages
                                << rowsAfter;
        };
        row("no contacts", "list", false, false, false, 0, {}, 0);
        row("listing refused after a good one", "list", true, false, false, 7, listFailed, 0);
        row("delete, nothing checked", "delete", true, false, true, 0,
            {"Please choose any of items to delete!"}, 1);
        row("delete, answered no", "delete", true, true, false, 0, {sure}, 1);
        row("delete, device refuses", "delete", true, true, true, 7,
            {sure, "Some contacts could not be deleted from the device!"}, 1);
        // An edit the device refuses takes the row out until the next load.
        row("edit, device refuses", "edit", true, false, true, 5, {"Modify contact failed!"}, 0);
        row("unplugged during the listing", "list", true, false, false, -1, listFailed, 0);
    }

    void refusedOrFailedCallsLeaveThePageUsable() {
        QFETCH(QString, call);
        QFETCH(bool, contact);
        QFETCH(bool, checked);
        QFETCH(bool, yes);
        QFETCH(int, code);
        QFETCH(QStringList, messages);
        QFETCH(int, rowsAfter);
        const std::string id = contact ? AddContact("Rita", nullptr, "Refused") : std::string();
        QContactsView view(m_manager, m_phone.Handle());
        Load(view);
        QCOMPARE(view.GetChunkCount(), int(contact));
        const std::map<QString, const char*> operations{
            {"list", "GetContacts"}, {"delete", "DeleteContact"}, {"edit", "SaveContact"}};
        const bool unplug = code == -1;
        if (code != 0)
            QCOMPARE(AddFault({.operation = operations.at(call),
                               .code = unplug ? 0 : code,
                               .unplug = unplug,
                               .delayMs = call == "list" ? 100 : 0}),
                     0);
        if (contact)
            view.GetChunk(0)->SetChecked(checked);
        m_messages->SetAnswerYes(yes);
        QSignalSpy refreshed(&view, &QContactsView::emitRefreshContactsNode);
        QSignalSpy counted(&view, &QContactsView::addContactNum);
        if (call == "edit") {
            view.ClickTableView(view.SortModel()->index(0, 0));
            WhenShown<AddContactsDlg>([](AddContactsDlg* dialog) { dialog->OnBtnYes(); });
            view.OnEditIndex();
        } else if (call == "delete") {
            view.OnDeleteItem();
        } else {
            Load(view);
        }
        QTRY_COMPARE(m_messages->Messages(), messages);
        if (call == "delete" && !checked)
            QCOMPARE(counted.count(), 0);
        QCOMPARE(view.GetChunkCount(), rowsAfter);
        // The panel's buttons work again once the call has ended.
        QVERIFY(view.OperatePanel()->isEnabled());
        if (call == "list") {
            QCOMPARE(refreshed.count(), messages.isEmpty() ? 1 : 0);
            QCOMPARE(view.ContactsModel()->rowCount(), 0);
            QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
        }
        if (!contact || unplug)
            return;
        ClearFaults();
        QCOMPARE(DeviceNames().size(), size_t(1));
        QVERIFY(DeviceNames().count(id));
        Load(view);
        QCOMPARE(view.GetChunkCount(), 1);
    }

private:
    // Deletes every contact and user group, then adds the given records.

    void ResetDevice() {
        ContactList* list = nullptr;
        QCOMPARE(m_service->GetContacts(&list), 0);
        std::vector<std::string> ids, groups;
        for (int i = 0; i < list->recordCount; ++i)
            ids.push_back(Text(list->records[i].id));
        for (int i = 0; i < list->groupCount; ++i)
            groups.push_back(Text(list->groups[i].name));
        for (const std::string& id : ids)
            QCOMPARE(m_service->DeleteContact(id.c_str()), 0);
        // The built-in groups refuse; the others go.
        for (const std::string& group : groups)
            m_service->DeleteGroup(group.c_str());
    }

    // `record` brings any further fields.
    std::string AddContact(const char* first, const char* middle, const char* last,
                           std::vector<ContactEntry> phones = {}, ContactRecord record = {}) {
        record.firstName = first;
        record.middleName = middle;
        record.lastName = last;
        record.phoneCount = int32_t(phones.size());
        record.phones = phones.empty() ? nullptr : phones.data();
        return m_service->SaveContact(&record, 0) == 0 && record.id ? record.id : std::string();
    }

    void Load(QContactsView& view) {
        QSignalSpy finished(&view, &QBaseDetailsView::loadFinished);
        view.OnRefreshContacts();
        QVERIFY(finished.wait(10000));
    }

    std::map<std::string, std::string> DeviceNames() {
        std::map<std::string, std::string> names;
        ContactList* list = nullptr;
        if (m_service->GetContacts(&list) != 0)
            return names;
        for (int i = 0; i < list->recordCount; ++i) {
            const ContactRecord& record = list->records[i];
            names[Text(record.id)] = Text(record.firstName) + "|" + Text(record.middleName) + "|" +
                                     Text(record.lastName) + "|" +
                                     (record.phoneCount > 0 ? Text(record.phones[0].value) : std::string());
        }
        return names;
    }

    QString Cell(QContactsView& view, int row, int column) const {
        return view.ContactsModel()->index(row, column).data().toString();
    }

    int RowOf(QContactsView& view, const QString& name) const {
        return ColumnTexts(view.ContactsModel(), QContactsModel::NameColumn).indexOf(name);
    }

    IContactService* m_service = nullptr;
};

QTEST_MAIN(tst_contacts)
#include "tst_contacts.moc"
