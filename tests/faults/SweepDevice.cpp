#include <algorithm>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <vexa/vexa.h>

#include "CSingleDetectiPhone.h"
#include "FaultSweep.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QNavigateWidget.h"
#include "QPlayAnalysisTread.h"
#include "SimDevices.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "qmessageView.h"
#include "sim/DeviceInfoFile.h"
#include "sim/DeviceState.h"

SweepDevice::SweepDevice(QNavigateWidget* navigate, DialogAnswerer* dialogs, QString root, std::string udid)
    : m_navigate(navigate)
    , m_dialogs(dialogs)
    , m_root(std::move(root))
    , m_udid(std::move(udid)) {}

QString SweepDevice::DeviceFolder() const {
    return m_root + QLatin1Char('/') + QString::fromStdString(m_udid);
}

QString SweepDevice::FaultsFile() const {
    return DeviceFolder() + QStringLiteral("/faults");
}

int SweepDevice::Handle() const {
    return HandleOf(m_udid.c_str());
}

TreeNode* SweepDevice::DeviceNode() const {
    const int handle = Handle();
    return handle < 0 ? nullptr : m_navigate->DeviceNode(handle);
}

TreeNode* SweepDevice::Category(int kind) const {
    TreeNode* device = DeviceNode();
    return device ? device->FindChildOfKind(kind) : nullptr;
}

QDeviceInformationWidget* SweepDevice::InformationPage() const {
    TreeNode* device = DeviceNode();
    return device ? qobject_cast<QDeviceInformationWidget*>(device->Binding().view) : nullptr;
}

QContactsView* SweepDevice::ContactsView() const {
    TreeNode* node = Category(SUB_ITEM_CONTACTS);
    return node ? qobject_cast<QContactsView*>(node->Binding().view) : nullptr;
}

qmessageView* SweepDevice::MessagesView() const {
    TreeNode* node = Category(SUB_ITEM_MESSAGES);
    return node ? qobject_cast<qmessageView*>(node->Binding().view) : nullptr;
}

QBaseDetailsView* SweepDevice::MusicView() const {
    TreeNode* media = Category(SUB_ITEM_MEDIA);
    TreeNode* node = media ? media->FindChildOfKind(NODE_MUSIC) : nullptr;
    return node ? qobject_cast<QBaseDetailsView*>(node->Binding().view) : nullptr;
}

QPlayAnalysisTread* SweepDevice::PlaylistLoader() const {
    TreeNode* node = Category(SUB_ITEM_PLAYLIST);
    return node ? qobject_cast<QPlayAnalysisTread*>(node->Binding().loader) : nullptr;
}

void SweepDevice::Press(TreeNode* node) {
    if (node)
        m_navigate->ClickTreeViewItem(m_navigate->Model()->IndexOf(node));
}

void SweepDevice::SetPlugged(bool plugged) {
    const std::filesystem::path state = (DeviceFolder() + QStringLiteral("/state")).toStdString();
    vexa::sim::DeviceState current = vexa::sim::ReadDeviceState(state).value_or(vexa::sim::DeviceState{});
    current.plugged = plugged;
    vexa::sim::WriteDeviceState(state, current);
}

bool SweepDevice::WaitShown(int timeoutMs) {
    return QTest::qWaitFor(
        [this] {
            QDeviceInformationWidget* page = InformationPage();
            QPlayAnalysisTread* loader = PlaylistLoader();
            return page && loader && ContactsView() && !page->IsRunning() && !loader->IsRunning();
        },
        timeoutMs);
}

bool SweepDevice::WaitGone(int timeoutMs) {
    // A phone the program knows only half (an arrival without its record) shows nothing of its removal:
    // the library must have dropped every handle the program holds, or a plug right after goes unseen.
    const QList<int> held = CSingleDetectiPhone::Instance()->Managers().keys();
    const auto dropped = [&held] {
        return std::none_of(held.begin(), held.end(), [](int handle) {
            IVexaManager* manager = GetVexaManager();
            if (!manager)
                return false;
            const int code = manager->SetDeviceHandle(handle);
            DeleteVexaManager(&manager);
            return code == VEXA_E_UNPLUGGED;
        });
    };
    return QTest::qWaitFor([&] { return Handle() < 0 && !DeviceNode() && dropped(); }, timeoutMs);
}

QContactsView* SweepDevice::LoadedContacts() {
    QPointer<QContactsView> view = ContactsView();
    if (!view)
        return nullptr;
    Press(Category(SUB_ITEM_CONTACTS));
    QSignalSpy loaded(view.data(), &QBaseDetailsView::loadFinished);
    view->OnRefreshContacts();
    if (!QTest::qWaitFor([&] { return !view || (!view->IsRunning() && loaded.count() > 0); }, 10000) || !view)
        return nullptr;
    QCoreApplication::processEvents();
    return view;
}

bool SweepDevice::EnsureProductType(const char* productType) {
    const std::filesystem::path file = (DeviceFolder() + QStringLiteral("/device.json")).toStdString();
    vexa::sim::DeviceInfoFile info;
    if (vexa::sim::DeviceInfoFile::Load(file, info) != 0)
        return false;
    std::string& current = info.profile.properties["ProductType"];
    if (current == productType)
        return true;
    current = productType;
    if (info.Save(file) != 0)
        return false;
    SetPlugged(false);
    if (!WaitGone())
        return false;
    SetPlugged(true);
    return WaitShown();
}

void SweepDevice::JustBeforeCall() {
    if (auto hook = std::exchange(m_beforeCall, nullptr))
        hook();
}

bool SweepDevice::WithManager(const std::function<bool(IVexaManager*)>& use) const {
    const int handle = Handle();
    if (handle < 0)
        return false;
    IVexaManager* manager = GetVexaManager();
    if (!manager)
        return false;
    const bool result = manager->SetDeviceHandle(handle) == 0 && use(manager);
    DeleteVexaManager(&manager);
    return result;
}

namespace {
QString Text(const char* text) {
    return QString::fromUtf8(text ? text : "");
}
} // namespace

QStringList SweepDevice::DeviceContacts() const {
    QStringList lines;
    WithManager([&](IVexaManager* manager) {
        IContactService* service = manager->GetContactService();
        ContactList* list = nullptr;
        if (!service || service->GetContacts(&list) != 0 || !list)
            return false;
        for (int i = 0; i < list->recordCount; ++i) {
            const ContactRecord& record = list->records[i];
            QStringList groups;
            for (int g = 0; g < list->groupCount; ++g) {
                const ContactGroupRecord& group = list->groups[g];
                for (int m = 0; m < group.memberCount; ++m) {
                    if (qstrcmp(group.memberIds[m], record.id) == 0)
                        groups << Text(group.name);
                }
            }
            lines << Text(record.firstName) + QLatin1Char('|') + Text(record.lastName) + QLatin1Char('|') +
                         groups.join(QLatin1Char(','));
        }
        for (int g = 0; g < list->groupCount; ++g)
            lines << QLatin1Char('#') + Text(list->groups[g].name);
        return true;
    });
    return lines;
}

QStringList SweepDevice::DevicePlaylists() const {
    QStringList names;
    WithManager([&](IVexaManager* manager) {
        IMediaLibrary* library = manager->GetMediaLibrary();
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        if (!library || library->GetPlaylists(&count, &playlists) != 0)
            return false;
        for (int i = 1; i < count; ++i)
            names << Text(playlists[i].name);
        return true;
    });
    return names;
}

QString SweepDevice::DeviceName() const {
    QString name;
    WithManager([&](IVexaManager* manager) {
        DeviceInfo* info = nullptr;
        if (!manager->GetDeviceInfo(&info) || !info)
            return false;
        name = Text(info->properties[DP_DeviceName]);
        return true;
    });
    return name;
}

namespace {

bool IsDatabase(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

// Every row of every table, in a stable order. A database in WAL mode keeps its latest rows in its -wal
// file, which a read-only connection beside the device's own cannot always see; the dump reads a copy of
// both, so it sees what the device would see and leaves the device's files alone.
QString DumpDatabase(const QString& path) {
    QString dump;
    QTemporaryDir copyFolder;
    const QString copy = copyFolder.filePath(QStringLiteral("copy.sqlite"));
    if (!QFile::copy(path, copy))
        return QStringLiteral("<unreadable database>");
    QFile::copy(path + QStringLiteral("-wal"), copy + QStringLiteral("-wal"));
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(copy.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("<unreadable database>");
    }
    QStringList tables;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1, &statement,
                       nullptr);
    while (statement && sqlite3_step(statement) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    for (const QString& table : tables) {
        dump += QStringLiteral("[%1]\n").arg(table);
        const QByteArray query = QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(table).toUtf8();
        statement = nullptr;
        sqlite3_prepare_v2(db, query.constData(), -1, &statement, nullptr);
        QStringList rows;
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            QStringList values;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                values << QString::fromUtf8(text ? text : "NULL");
            }
            rows << values.join(QLatin1Char('|'));
        }
        sqlite3_finalize(statement);
        rows.sort();
        dump += rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    sqlite3_close(db);
    return dump;
}

} // namespace

QString SweepDevice::Snapshot() const {
    QStringList parts;
    const QDir folder(DeviceFolder());
    QDirIterator it(DeviceFolder(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        // The connection and the planned faults are the sweep's own; the journals belong to the databases.
        if (name == QLatin1String("state") || name == QLatin1String("faults") ||
            name.endsWith(QLatin1String("-wal")) || name.endsWith(QLatin1String("-shm")) ||
            name.endsWith(QLatin1String("-journal")))
            continue;
        const QString relative = folder.relativeFilePath(path);
        if (IsDatabase(path)) {
            parts << relative + QLatin1Char('\n') + DumpDatabase(path);
            continue;
        }
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        if (file.open(QIODevice::ReadOnly))
            hash.addData(&file);
        parts << relative + QLatin1Char(' ') + QString::fromLatin1(hash.result().toHex());
    }
    parts.sort();
    return parts.join(QLatin1Char('\n'));
}
