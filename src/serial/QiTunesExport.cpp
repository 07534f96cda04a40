#include "QiTunesExport.h"

#include <QDebug>

#include "CModalGuard.h"
#include "CiTunesMediaFolder.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"

int QiTunesExport::Run(QObject* owner, ISerialable* source, IVexaManager* manager, int kind,
                       const QString& musicFolder) {
    const CiTunesMediaFolder lookup(musicFolder);
    const QStringList folders = lookup.Folders();
    if (folders.isEmpty()) {
        qDebug() << "QiTunesExport::Run no media folder from" << lookup.LibraryFile();
        ShowMessage(tr("No iTunes media folder was found."));
        return 0;
    }
    const CModalGuard guard(owner);
    int exported = 0;
    for (const QString& folder : folders) {
        if (guard.Gone())
            break;
        // The copies belong to iTunes; there is no folder of the user's to offer.
        QFileFolderExport::ExportTo(source, manager, kind, folder, false);
        ++exported;
    }
    return exported;
}
