#include "CKnownBackups.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "CBackupFolder.h"
#include "CBackupLog.h"
#include "CImportedBackups.h"

namespace {

bool HoldsBackup(const QString& folder) {
    return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Manifest.plist")));
}

QString Canonical(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

} // namespace

QStringList CKnownBackups::BackupsIn(const QString& folder) {
    if (HoldsBackup(folder))
        return {folder};
    QStringList backups;
    const QDir dir(folder);
    for (const QString& child : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (HoldsBackup(dir.filePath(child)))
            backups.append(dir.filePath(child));
    }
    return backups;
}

QList<CKnownBackups::Entry> CKnownBackups::List() {
    QList<Entry> entries;
    QSet<QString> seen;
    for (const CBackupLogEntry& logged : CBackupLog(CBackupLog::DefaultPath()).Entries()) {
        Entry entry;
        entry.fromLog = true;
        entry.record.folder = CBackupFolder::Locate(logged.filepath);
        entry.record.name = logged.name;
        entry.record.dateTime = logged.greateDate;
        entry.record.deviceType = logged.deviceClass;
        entry.record.serialNumber = logged.serialNumber;
        entry.record.size = logged.backupSize.toULongLong();
        if (!seen.contains(Canonical(entry.record.folder))) {
            seen.insert(Canonical(entry.record.folder));
            entries.append(entry);
        }
    }
    for (const QString& added : CImportedBackups().Folders()) {
        const QStringList backups = BackupsIn(added);
        for (const QString& folder : backups.isEmpty() ? QStringList{added} : backups) {
            if (seen.contains(Canonical(folder)))
                continue;
            seen.insert(Canonical(folder));
            Entry entry;
            if (CBackupFolder::Read(folder, entry.record) != CBackupFolder::Ok)
                entry.record.folder = folder;
            entries.append(entry);
        }
    }
    return entries;
}
