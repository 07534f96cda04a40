#include "CBackupToolLauncher.h"

#include "BackupWidget.h"
#include "CDetectorDirectory.h"
#include "QRestoreDlg.h"
#include "QTransferDeviceDlg.h"

void CBackupToolLauncher::OpenBackup(QWidget* parent) {
    BackupWidget window(&CDetectorDirectory::Instance(), parent);
    window.exec();
}

void CBackupToolLauncher::OpenRestore(QWidget* parent) {
    QRestoreDlg window(&CDetectorDirectory::Instance(), parent);
    window.exec();
}

void CBackupToolLauncher::OpenTransfer(QWidget* parent) {
    QTransferDeviceDlg window(&CDetectorDirectory::Instance(), parent);
    window.exec();
}

bool CBackupToolLauncher::OpenTool(const QString& tileName, QWidget* parent) {
    if (tileName == QLatin1String("m_btnToolBackup"))
        OpenBackup(parent);
    else if (tileName == QLatin1String("m_btnToolRestore"))
        OpenRestore(parent);
    else if (tileName == QLatin1String("m_btnToolToDevice"))
        OpenTransfer(parent);
    else
        return false;
    return true;
}
