#include "CBackupFiles.h"

#include <QString>

#include <vexa/BackupContent.h>

int CBackupFiles::CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) {
    const QByteArray device = QString::fromUtf16(devicePath).toUtf8();
    const QByteArray local = QString::fromUtf16(localPath).toUtf8();
    return m_backup.CopyPhotoFile(device.constData(), local.constData());
}
