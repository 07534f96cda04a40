#include "CBackupToolLauncher.h"

#include "BackupWidget.h"
#include "CDetectorDirectory.h"
#include "QRestoreDlg.h"
#include "QTransferDeviceDlg.h"

void CBackupToolLauncher::OpenBackup(QWidget* parent) {
    BackupWidget window(&CDetectorDirectory::Instance(), parent);
    window.exec();
}

bool CBackupToolLauncher::OpenRestore(QWidget* parent) {
    QRestoreDlg window(&CDetectorDirectory::Instance(), parent);
    window.exec();
    return window.HasRestored();
}

void CBackupToolLauncher::OpenTransfer(QWidget* parent) {
    QTransferDeviceDlg window(&CDetectorDirectory::Instance(), parent);
    window.exec();
}

bool CBackupToolLauncher::OpenTool(const QString& tileName, QWidget* parent) {
    if (tileName == QLatin1String("m_btnToolBackup"))
        OpenBackup(parent);
    else if (IsRestoreTool(tileName))
        OpenRestore(parent);
    else if (tileName == QLatin1String("m_btnToolToDevice"))
        OpenTransfer(parent);
    else
        return false;
    return true;
}

bool CBackupToolLauncher::IsRestoreTool(const QString& tileName) {
    return tileName == QLatin1String("m_btnToolRestore");
}
