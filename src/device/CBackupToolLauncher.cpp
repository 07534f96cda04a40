#include "CBackupToolLauncher.h"

#include <QString>

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

bool CBackupToolLauncher::IsRestoreTool(const QString& tileName) {
    return tileName == QLatin1String("m_btnToolRestore");
}
