#include "CBackupFolder.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#include "formats/ManifestDatabase.h"
#include "formats/Plist.h"

using vexa::formats::Plist;

namespace {

QString g_lastFolder;

QString Text(plist_t dict, const char* key) {
    return QString::fromStdString(Plist::String(dict, key));
}

quint64 FolderSize(const QString& folder) {
    quint64 size = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        size += quint64(it.fileInfo().size());
    }
    return size;
}

} // namespace

CBackupFolder::Result CBackupFolder::Read(const QString& folder, CBackupRecord& record) {
    const QString manifestPath = folder + QStringLiteral("/Manifest.plist");
    if (!QFileInfo(manifestPath).isFile())
        return NoManifest;
    const auto manifest = Plist::ParseFile(manifestPath.toStdString());
    if (!manifest || plist_get_node_type(manifest.get()) != PLIST_DICT)
        return DamagedManifest;
    const auto info = Plist::ParseFile((folder + QStringLiteral("/Info.plist")).toStdString());
    if (!info || plist_get_node_type(info.get()) != PLIST_DICT)
        return DamagedManifest;
    // An encrypted backup's Manifest.db opens only with the password: until then it has to be there.
    const bool encrypted = Plist::Bool(manifest.get(), "IsEncrypted");
    const QString databasePath = folder + QStringLiteral("/Manifest.db");
    vexa::formats::ManifestDatabase database;
    if (encrypted ? !QFileInfo(databasePath).isFile() : !database.OpenReadOnly(databasePath.toStdString()))
        return DamagedDatabase;

    record = CBackupRecord();
    record.folder = folder;
    record.imported = true;
    record.name = Text(info.get(), "Device Name");
    record.deviceType = Text(info.get(), "Product Type");
    record.serialNumber = Text(info.get(), "Serial Number");
    record.encrypted = encrypted;
    if (plist_t date = Plist::Item(info.get(), "Last Backup Date", PLIST_DATE)) {
        record.dateTime = QDateTime::fromSecsSinceEpoch(Plist::UnixTime(date))
                              .toLocalTime()
                              .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    record.size = FolderSize(folder);
    return Ok;
}

QString CBackupFolder::Locate(const QString& chosen) {
    const QString manifest = QStringLiteral("Manifest.plist");
    if (QFileInfo::exists(QDir(chosen).filePath(manifest)))
        return chosen;
    QString found;
    const QStringList children = QDir(chosen).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& child : children) {
        if (!QFileInfo::exists(QDir(chosen).filePath(child + QLatin1Char('/') + manifest)))
            continue;
        if (!found.isEmpty())
            return chosen; // several devices: the user picks one
        found = QDir(chosen).filePath(child);
    }
    return found.isEmpty() ? chosen : found;
}

QString CBackupFolder::DeviceFolder(const QString& chosen, const QString& udid) {
    if (udid.isEmpty() || QFileInfo(chosen).fileName() == udid)
        return chosen;
    return QDir(chosen).filePath(udid);
}

QString CBackupFolder::StartFolder() {
    if (!g_lastFolder.isEmpty() && QDir(g_lastFolder).exists())
        return g_lastFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void CBackupFolder::RememberFolder(const QString& folder) {
    if (!folder.isEmpty())
        g_lastFolder = folder;
}
