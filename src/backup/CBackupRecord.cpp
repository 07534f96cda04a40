#include "CBackupRecord.h"

#include <vexa/VexaRecords.h>

CBackupRecord CBackupRecord::FromLibrary(const BackupRecord& record) {
    CBackupRecord copy;
    copy.folder = record.folder ? QString::fromUtf16(record.folder) : QString();
    copy.name = QString::fromUtf8(record.deviceName);
    copy.dateTime = QString::fromUtf8(record.dateTime);
    copy.deviceType = QString::fromUtf8(record.deviceType);
    copy.serialNumber = QString::fromUtf8(record.serialNumber);
    copy.encrypted = record.encrypted != 0;
    copy.size = record.size;
    return copy;
}
