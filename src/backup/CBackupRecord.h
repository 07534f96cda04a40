#pragma once

#include <QString>
#include <QtGlobal>

struct BackupRecord;

// A backup as the restore window lists it: a copy of the device library's record (whose array the
// library reuses on its next call), or a folder the user imported.
struct CBackupRecord {
    QString folder;
    QString name;
    QString dateTime;
    QString deviceType;
    QString serialNumber;
    bool encrypted = false;
    quint64 size = 0;
    bool imported = false;

    static CBackupRecord FromLibrary(const BackupRecord& record);
};
