// Renders the contacts page (table, search, editor, empty panel) in English and German into PNG files,
// so its look can be checked by eye. Usage: contacts_screens <output folder>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "AddContactsDlg.h"
#include "CContactChunk.h"
#include "LanguageService.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QMySortModel.h"
#include "QSearchWidget.h"
#include "ScreensSession.h"

namespace {

const char* const kFullUdid = "00008101-00000000005C4EE1";
const char* const kEmptyUdid = "00008101-00000000005C4EE2";
void AddSampleContacts(IContactService* service) {
    struct Sample {
        const char* first;
        const char* middle;
        const char* last;
        std::vector<ContactEntry> phones;
        const char* group;
    };
    const Sample samples[] = {
        {"Ann", nullptr, "Lee", {{0, "mobile", "+1 555 0101"}, {0, "work", "+1 555 0102"}}, "Family"},
        {"Jürgen", nullptr, "Müller", {{0, "home", "+49 30 123456"}}, "Friend"},
        {"王", nullptr, "小明", {{0, "mobile", "+86 138 0000 0000"}}, nullptr},
        {nullptr, "Middle", nullptr, {}, nullptr},
        {"Bo", nullptr, "Chen", {{0, "work fax", "+1 555 0199"}}, "Climbing Club"},
        {"Chloé",
         "Anne",
         "Dupont",
         {{0, "mobile", "+33 6 12 34 56 78"}, {0, "home", "+33 1 23 45 67 89"}},
         "Friend"},
    };
    service->CreateGroup("Climbing Club");
    for (const Sample& sample : samples) {
        std::vector<ContactEntry> phones = sample.phones;
        ContactRecord record{};
        record.firstName = sample.first;
        record.middleName = sample.middle;
        record.lastName = sample.last;
        record.phoneCount = int32_t(phones.size());
        record.phones = phones.empty() ? nullptr : phones.data();
        if (service->SaveContact(&record, 0) == 0 && record.id && sample.group) {
            const char* groups[] = {sample.group};
            service->SetContactGroups(record.id, groups, 1);
        }
    }
}

void Load(QContactsView& view) {
    view.OnRefreshContacts();
    if (!QTest::qWaitFor([&] { return !view.IsRunning(); }, 10000))
        qWarning("the load did not end");
    QTest::qWait(100);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    for (const char* udid : {kFullUdid, kEmptyUdid}) {
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = udid;
        spec.name = udid == kFullUdid ? "Screens Phone" : "Empty Phone";
        if (!session.Generate(spec))
            return 1;
    }
    if (!session.Connect({kFullUdid, kEmptyUdid}) || !session.Manager(kFullUdid) ||
        !session.Manager(kEmptyUdid))
        return 1;
    IVexaManager* full = session.Manager(kFullUdid);
    IVexaManager* empty = session.Manager(kEmptyUdid);
    AddSampleContacts(full->GetContactService());

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QContactsView view(full, session.Handle(kFullUdid));
        view.resize(760, 420);
        view.show();
        Load(view);
        view.ClickTableView(view.SortModel()->index(1, 0));
        view.TableView()->selectRow(1);
        view.GetChunk(0)->SetChecked(true);
        view.OnItemCheckChange(true);
        ScreensSession::Save(&view, session.Picture(QStringLiteral("contacts_table"), language.name), 50);

        auto* search = view.findChild<QLineEdit*>();
        if (search)
            search->setText(QStringLiteral("Fri"));
        view.OnSearchString(QStringLiteral("Fri"));
        ScreensSession::Save(&view, session.Picture(QStringLiteral("contacts_search"), language.name), 50);
        if (search)
            search->clear();
        view.OnSearchString(QString());

        auto* chloe = static_cast<CContactChunk*>(view.GetChunk(view.GetChunkCount() - 1));
        chloe->secondList = {{"work", "chloe@example.org"}};
        chloe->organization = "Atelier Dupont, SARL";
        chloe->jobTitle = "Architecte";
        chloe->birthday = "1984-06-12";
        chloe->addresses = {
            {"home", "12 rue de la Paix\nBâtiment B", "Paris", "Île-de-France", "75002", "France"}};
        chloe->urls = {{"home page", "https://atelier-dupont.example"}};
        AddContactsDlg editor(view.GroupNames(), chloe, &view);
        editor.show();
        ScreensSession::Save(&editor, session.Picture(QStringLiteral("contacts_editor"), language.name), 50);
        editor.close();
        AddContactsDlg adder(view.GroupNames(), nullptr, &view);
        adder.show();
        ScreensSession::Save(&adder, session.Picture(QStringLiteral("contacts_editor_new"), language.name),
                             50);
        adder.close();

        QContactsView emptyView(empty, session.Handle(kEmptyUdid));
        emptyView.resize(760, 420);
        emptyView.show();
        Load(emptyView);
        ScreensSession::Save(&emptyView, session.Picture(QStringLiteral("contacts_empty"), language.name),
                             50);
    }
    return 0;
}
