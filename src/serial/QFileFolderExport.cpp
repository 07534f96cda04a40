#include "QFileFolderExport.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

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
    const QString folder = QFileDialog::getExistingDirectory(
        view, tr("Save File"), StartFolder(), QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty()) {
        return;
    }
    g_lastFolder = folder;
    ExportTo(source, manager, kind, folder);
}

int QFileFolderExport::ExportTo(ISerialable* source, IVexaManager* manager, int kind, const QString& folder) {
    if (source == nullptr || folder.isEmpty()) {
        return 0;
    }
    if (!QDir().mkpath(folder)) {
        ShowMessage(tr("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder)),
                    QString());
        return -1;
    }
    CPhotoSerialDlg dialog;
    CPhotoSerialImpl writer(manager, kind, &dialog);
    source->Serialize(&writer);
    dialog.StartExport(&writer, folder, true);
    dialog.exec();
    // The writer goes first: its thread has ended, and it must not outlive the dialog it reports to.
    return writer.FailedCount();
}

QString QFileFolderExport::StartFolder() {
    if (!g_lastFolder.isEmpty() && QDir(g_lastFolder).exists()) {
        return g_lastFolder;
    }
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
