#include "QFileFolderExport.h"

#include <memory>

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include <vexa/COwnManager.h>
#include <vexa/vexa.h>

#include "CDesktopOpen.h"
#include "CPhotoSerialDlg.h"
#include "CPhotoSerialImpl.h"
#include "ISerialable.h"
#include "QMessageDlg.h"

namespace {
QString g_lastFolder;
} // namespace

void QFileFolderExport::RunChecked(QWidget* view, ISerialable* source, IVexaManager* manager, int kind,
                                   bool anyChecked) {
    if (!anyChecked) {
        ShowMessage(tr("Please choose one or more items first!"), QString());
        return;
    }
    const QString folder = ChooseFolder(view);
    if (folder.isEmpty()) {
        return;
    }
    ExportTo(source, manager, kind, folder);
}

QString QFileFolderExport::ChooseFolder(QWidget* parent) {
    const QString folder = QFileDialog::getExistingDirectory(
        parent, tr("Save File"), StartFolder(), QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!folder.isEmpty()) {
        g_lastFolder = folder;
    }
    return folder;
}

void QFileFolderExport::RememberFolder(const QString& folder) {
    if (!folder.isEmpty()) {
        g_lastFolder = folder;
    }
}

int QFileFolderExport::ExportTo(ISerialable* source, IVexaManager* manager, int kind, const QString& folder,
                                bool confirm) {
    if (source == nullptr || folder.isEmpty()) {
        return 0;
    }
    if (!QDir().mkpath(folder)) {
        ShowMessage(tr("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder)),
                    QString());
        return -1;
    }
    // The worker copies with a manager of its own: a removal of the device during dialog.exec() deletes
    // the view's manager while a copy may still be running on it. Declared first, it goes last. None when
    // the device is gone: every copy then fails and is counted.
    const COwnManager own = OwnManagerFor(manager);
    CPhotoSerialDlg dialog;
    CPhotoSerialImpl writer(own.get(), kind, &dialog);
    source->Serialize(&writer);
    const bool started = dialog.StartExport(&writer, folder);
    dialog.exec();
    const int failed = writer.FailedCount();
    // Failures were counted on the dialog's last line; a whole export ends with its confirmation.
    if (confirm && started && !dialog.WasCancelled() && failed == 0)
        CDesktopOpen::ConfirmFolderExport(folder);
    // The writer goes first: its thread has ended, and it must not outlive the dialog it reports to.
    return failed;
}

QString QFileFolderExport::StartFolder() {
    if (!g_lastFolder.isEmpty() && QDir(g_lastFolder).exists()) {
        return g_lastFolder;
    }
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
