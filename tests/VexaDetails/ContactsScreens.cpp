// Renders the contacts page (table, search, editor, empty panel) in English and German into PNG files,
// so its look can be checked by eye. Usage: contacts_screens <output folder>
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "AddContactsDlg.h"
#include "CContactChunk.h"
#include "LanguageService.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QMySortModel.h"
#include "QSearchWidget.h"
#include "sim/ContentServices.h"

namespace {

const char* const kFullUdid = "00008101-00000000005C4EE1";
const char* const kEmptyUdid = "00008101-00000000005C4EE2";
std::map<std::string, int> g_handles;
std::mutex g_mutex;

int OnDevice(int mode, int handle) {
    if (mode != VEXA_DEVICE_ARRIVED)
        return 0;
    IVexaManager* manager = GetVexaManager();
    DeviceInfo* info = nullptr;
    if (manager->SetDeviceHandle(handle) == 0 && manager->GetDeviceInfo(&info)) {
        std::lock_guard lock(g_mutex);
        g_handles[info->properties[DP_UniqueDeviceID]] = handle;
    }
    DeleteVexaManager(&manager);
    return 0;
}

int HandleOf(const char* udid) {
    std::lock_guard lock(g_mutex);
    auto found = g_handles.find(udid);
    return found == g_handles.end() ? 0 : found->second;
}

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

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(50);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const std::filesystem::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    for (const char* udid : {kFullUdid, kEmptyUdid}) {
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = udid;
        spec.name = udid == kFullUdid ? "Screens Phone" : "Empty Phone";
        if (vexa::sim::GenerateLargeDevice(root, spec) != 0)
            return 1;
    }
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return HandleOf(kFullUdid) && HandleOf(kEmptyUdid); }, 10000))
        return 1;
    IVexaManager* full = GetVexaManager();
    IVexaManager* empty = GetVexaManager();
    if (full->SetDeviceHandle(HandleOf(kFullUdid)) != 0 || empty->SetDeviceHandle(HandleOf(kEmptyUdid)) != 0)
        return 1;
    AddSampleContacts(full->GetContactService());

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}};
    for (const auto& language : languages) {
        SetLanguage(language.code);
        QContactsView view(full, HandleOf(kFullUdid));
        view.resize(760, 420);
        view.show();
        Load(view);
        view.ClickTableView(view.SortModel()->index(1, 0));
        view.TableView()->selectRow(1);
        view.GetChunk(0)->SetChecked(true);
        view.OnItemCheckChange(true);
        Save(&view, QStringLiteral("%1/contacts_table_%2.png").arg(output, language.name));

        auto* search = view.findChild<QLineEdit*>();
        if (search)
            search->setText(QStringLiteral("Fri"));
        view.OnSearchString(QStringLiteral("Fri"));
        Save(&view, QStringLiteral("%1/contacts_search_%2.png").arg(output, language.name));
        if (search)
            search->clear();
        view.OnSearchString(QString());

        auto* chloe = static_cast<CContactChunk*>(view.GetChunk(view.GetChunkCount() - 1));
        chloe->secondList = {{"work", "chloe@example.org"}};
        AddContactsDlg editor(view.GroupNames(), chloe, &view);
        editor.show();
        Save(&editor, QStringLiteral("%1/contacts_editor_%2.png").arg(output, language.name));
        editor.close();
        AddContactsDlg adder(view.GroupNames(), nullptr, &view);
        adder.show();
        Save(&adder, QStringLiteral("%1/contacts_editor_new_%2.png").arg(output, language.name));
        adder.close();

        QContactsView emptyView(empty, HandleOf(kEmptyUdid));
        emptyView.resize(760, 420);
        emptyView.show();
        Load(emptyView);
        Save(&emptyView, QStringLiteral("%1/contacts_empty_%2.png").arg(output, language.name));
    }
    DeleteVexaManager(&full);
    DeleteVexaManager(&empty);
    IOSListener(nullptr);
    return 0;
}
