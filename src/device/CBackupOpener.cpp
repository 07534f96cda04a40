#include "CBackupOpener.h"

#include <memory>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMap>

#include <vexa/BackupDevice.h>
#include <vexa/VexaResult.h>

#include "CBackupFolder.h"
#include "CImportedBackups.h"
#include "CKnownBackups.h"
#include "CSingleDetectiPhone.h"
#include "QBackupPasswordDlg.h"
#include "QMessageDlg.h"

namespace {

// Open backups by their folder; a handle whose device has been closed since is no longer open.
QMap<QString, int>& OpenFolders() {
    static QMap<QString, int> folders;
    return folders;
}

QString Canonical(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

QString Named(const BackupContent& backup, const QString& folder) {
    const QString name = QString::fromStdString(backup.Summary().deviceName);
    return name.isEmpty() ? QFileInfo(folder).fileName() : name;
}

void Remember(const QString& folder) {
    for (const CKnownBackups::Entry& entry : CKnownBackups::List()) {
        if (Canonical(entry.record.folder) == Canonical(folder))
            return;
    }
    CImportedBackups().Add(folder);
}

} // namespace

void CBackupOpener::ChooseAndOpen(QWidget* parent) {
    const QString chosen =
        QFileDialog::getExistingDirectory(parent, tr("Open backup"), CBackupFolder::StartFolder());
    if (chosen.isEmpty())
        return;
    CBackupFolder::RememberFolder(chosen);
    Open(chosen, parent);
}

int CBackupOpener::OpenHandle(const QString& folder) {
    const int handle = OpenFolders().value(Canonical(folder), 0);
    if (handle && CSingleDetectiPhone::Instance()->ManagerOf(handle))
        return handle;
    OpenFolders().remove(Canonical(folder));
    return 0;
}

int CBackupOpener::Open(const QString& chosen, QWidget* parent) {
    const QStringList backups = CKnownBackups::BackupsIn(chosen);
    if (backups.size() > 1) {
        ShowMessage(tr("%1 holds several backups. Choose the folder of one of them.")
                        .arg(QDir::toNativeSeparators(chosen)),
                    QString(), MSG_WARNING);
        return 0;
    }
    const QString folder = backups.isEmpty() ? chosen : backups.front();
    if (const int open = OpenHandle(folder))
        return open;

    auto backup = std::make_unique<BackupContent>();
    if (backup->Open(QFile::encodeName(folder).constData()) != VEXA_OK) {
        ShowMessage(tr("%1 cannot be opened as a backup: %2.")
                        .arg(QDir::toNativeSeparators(folder), QString::fromStdString(backup->Problem())),
                    QString(), MSG_ERROR);
        return 0;
    }
    if (backup->Encrypted()) {
        QBackupPasswordDlg dialog(*backup, Named(*backup, folder), parent);
        if (dialog.exec() != QDialog::Accepted)
            return 0;
    }
    QStringList problems;
    for (const std::string& problem : backup->CheckFiles())
        problems << QString::fromStdString(problem);
    if (!backup->KnownIosVersion())
        problems << tr("It was made by iOS %1, whose files this program may not read completely.")
                        .arg(QString::fromStdString(backup->Summary().iosVersion));
    IVexaManager* manager = OpenBackupDevice(std::move(backup));
    const int handle = manager ? manager->GetDeviceHandle() : 0;
    if (!manager || !CSingleDetectiPhone::Instance()->AddOpenedDevice(manager))
        return 0;
    OpenFolders().insert(Canonical(folder), handle);
    Remember(folder);
    if (!problems.isEmpty())
        ShowMessage(
            tr("Parts of this backup cannot be read; the rest is shown.\n%1").arg(problems.join('\n')),
            QString(), MSG_WARNING);
    return handle;
}
