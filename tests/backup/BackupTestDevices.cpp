#include "BackupTestDevices.h"

#include <algorithm>

#include <atomic>
#include <mutex>
#include <set>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTest>

#include <vexa/vexa.h>

#include "SimCtl.h"
#include "sim/ContentServices.h"

namespace {

std::mutex g_lock;
std::set<int> g_arrived;
std::set<int> g_removed;

int OnDevice(int mode, int handle) {
    std::lock_guard lock(g_lock);
    (mode == VEXA_DEVICE_ARRIVED ? g_arrived : g_removed).insert(handle);
    return 0;
}

QByteArray Hash(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex();
}

} // namespace

BackupTestDevices::BackupTestDevices()
    : m_root(qEnvironmentVariable("VEXA_SIM_ROOT").toStdString()) {
    // Devices of an earlier run would arrive too; each run starts with none.
    std::error_code error;
    std::filesystem::remove_all(m_root, error);
    std::filesystem::create_directories(m_root);
    IOSInitialize();
    IOSListener(OnDevice);
}

BackupTestDevices::~BackupTestDevices() {
    Clear();
    IOSListener(nullptr);
}

void BackupTestDevices::Clear() {
    for (auto& [udid, manager] : m_managers) {
        IVexaManager* released = manager;
        DeleteVexaManager(&released);
    }
    for (IVexaManager* backup : m_backups)
        DeleteVexaManager(&backup);
    m_managers.clear();
    m_order.clear();
    m_backups.clear();
}

void BackupTestDevices::AddBackup(IVexaManager* manager) {
    m_backups.push_back(manager);
}

IVexaManager* BackupTestDevices::Add(const std::string& udid, const QString& name, bool demoContent) {
    int made = 0;
    if (demoContent) {
        made = vexa::sim::GenerateDemoDevice(m_root, udid, name.toStdString());
    } else {
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = udid;
        spec.name = name.toStdString();
        made = vexa::sim::GenerateLargeDevice(m_root, spec);
    }
    if (made != 0)
        return nullptr;
    m_order.push_back(udid);
    return Bind(udid);
}

IVexaManager* BackupTestDevices::Replug(const std::string& udid) {
    if (auto it = m_managers.find(udid); it != m_managers.end()) {
        IVexaManager* released = it->second;
        DeleteVexaManager(&released);
        m_managers.erase(it);
    }
    Ctl("plug", {udid});
    return Bind(udid);
}

IVexaManager* BackupTestDevices::Bind(const std::string& udid) {
    IVexaManager* bound = nullptr;
    (void)QTest::qWaitFor([&] { return (bound = TryBind(udid)) != nullptr; }, 10000);
    return bound;
}

// Each arrived handle that is not yet bound may be this device: the first that names its UDID is.
IVexaManager* BackupTestDevices::TryBind(const std::string& udid) {
    std::vector<int> candidates;
    {
        std::lock_guard lock(g_lock);
        for (int arrived : g_arrived) {
            bool bound = false;
            for (auto& [other, manager] : m_managers)
                bound = bound || manager->GetDeviceHandle() == arrived;
            if (!bound && !g_removed.count(arrived))
                candidates.push_back(arrived);
        }
    }
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        IVexaManager* manager = GetVexaManager();
        DeviceInfo* info = nullptr;
        if (manager->SetDeviceHandle(*it) == 0 && manager->GetDeviceInfo(&info) && info &&
            info->properties[DP_UniqueDeviceID] && udid == info->properties[DP_UniqueDeviceID]) {
            m_managers[udid] = manager;
            return manager;
        }
        DeleteVexaManager(&manager);
    }
    return nullptr;
}

IVexaManager* BackupTestDevices::Manager(const std::string& udid) const {
    auto it = m_managers.find(udid);
    return it == m_managers.end() ? nullptr : it->second;
}

QString BackupTestDevices::Folder(const std::string& udid) const {
    return QString::fromStdString(m_root + "/" + udid);
}

int BackupTestDevices::Ctl(const std::string& command, const std::vector<std::string>& arguments) const {
    return vexa::sim::SimCtl(m_root).Run(command, arguments);
}

namespace {

CConnectedDevice DeviceOf(IVexaManager* manager) {
    CConnectedDevice device;
    DeviceInfo* info = nullptr;
    if (!manager || !manager->GetDeviceInfo(&info) || !info)
        return device;
    device.manager = manager;
    device.record = info;
    device.name = QString::fromUtf8(info->properties[DP_DeviceName]);
    device.serialNumber = QString::fromUtf8(info->properties[DP_SerialNumber]);
    device.deviceClass = QString::fromUtf8(info->properties[DP_DeviceClass]);
    device.udid = QString::fromUtf8(info->properties[DP_UniqueDeviceID]);
    return device;
}

} // namespace

QList<CConnectedDevice> BackupTestDevices::ConnectedDevices() const {
    QList<CConnectedDevice> devices;
    for (const std::string& udid : m_order) {
        if (CConnectedDevice device = DeviceOf(Manager(udid)); device.manager)
            devices.append(device);
    }
    return devices;
}

QList<CConnectedDevice> BackupTestDevices::OpenBackups() const {
    QList<CConnectedDevice> backups;
    for (IVexaManager* manager : m_backups) {
        if (CConnectedDevice device = DeviceOf(manager); device.manager) {
            device.backup = true;
            backups.append(device);
        }
    }
    return backups;
}

bool BackupTestDevices::IsConnected(IVexaManager* manager) const {
    if (std::find(m_backups.begin(), m_backups.end(), manager) != m_backups.end())
        return true;
    for (auto& [udid, bound] : m_managers) {
        if (bound == manager)
            return true;
    }
    return false;
}

QMap<QString, QByteArray> BackupTestDevices::Snapshot(IVexaManager* manager, const QString& folder) {
    QMap<QString, QByteArray> state;
    for (const char* part : {"/Media", "/Library", "/Applications"}) {
        QDirIterator it(folder + QLatin1String(part), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // A database's file changes with every checkpoint of its log, and the backup takes a
            // consistent copy of it; their content is compared through the services instead.
            static const QStringList databases = {QStringLiteral(".sqlitedb"), QStringLiteral(".db"),
                                                  QStringLiteral(".storedata"), QStringLiteral(".sqlite")};
            if (std::any_of(databases.begin(), databases.end(),
                            [&path](const QString& suffix) { return path.endsWith(suffix); }) ||
                path.contains(QLatin1String(".sqlitedb")) || path.endsWith(QLatin1String("-wal")) ||
                path.endsWith(QLatin1String("-shm")))
                continue;
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            state[path.mid(folder.size())] = Hash(file.readAll());
        }
    }
    ContactList* contacts = nullptr;
    if (manager && manager->GetContactService()->GetContacts(&contacts) == 0) {
        QStringList lines;
        for (int i = 0; i < contacts->recordCount; ++i) {
            const ContactRecord& record = contacts->records[i];
            QString line =
                QString::fromUtf8(record.firstName) + QLatin1Char(' ') + QString::fromUtf8(record.lastName);
            for (int p = 0; p < record.phoneCount; ++p)
                line += QLatin1Char(' ') + QString::fromUtf8(record.phones[p].value);
            lines << line;
        }
        lines.sort();
        state[QStringLiteral("contacts")] = Hash(lines.join(QLatin1Char('\n')).toUtf8());
    }
    PhotoRecord* photos = nullptr;
    int photoCount = 0;
    if (manager && manager->GetPhotos()->PrepareList() == 0 &&
        manager->GetPhotos()->GetPhotoList(&photos, &photoCount) == 0) {
        QStringList lines;
        for (int i = 0; i < photoCount; ++i)
            lines << QString::fromUtf8(photos[i].id) + QLatin1Char(' ') + QString::number(photos[i].date) +
                         QLatin1Char(' ') + QString::fromUtf8(photos[i].path);
        state[QStringLiteral("photos")] = Hash(lines.join(QLatin1Char('\n')).toUtf8());
    }
    return state;
}
