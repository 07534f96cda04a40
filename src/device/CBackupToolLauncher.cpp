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
