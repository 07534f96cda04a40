#include "CHomeTools.h"

#include <QDebug>

#include "CExportRoute.h"
#include "QBaseDetailsView.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"
#include "QRecordExportDialog.h"

void CHomeTools::ToComputer(QBaseDetailsView* view) {
    int fileKind = 0;
    const CExportRoute::Kind route = CExportRoute::For(view->objectName(), &fileKind);
    if (route == CExportRoute::Kind::RecordFile) {
        QRecordExportDialog::RunChecked(view, view, view->HasCheckedChunk());
        return;
    }
    if (route == CExportRoute::Kind::PhotoBrowser && QMetaObject::invokeMethod(view, "OnBtnExport"))
        return;
    if (view->SelectedCount() == 0) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    if (route == CExportRoute::Kind::FileBrowser) {
        QMetaObject::invokeMethod(view, "OnExportHighlighted");
        return;
    }
    if (route == CExportRoute::Kind::FileFolder) {
        QFileFolderExport::RunChecked(view, view, view->Manager(), fileKind, true);
        return;
    }
    qDebug() << "CHomeTools::ToComputer no export for" << view->objectName() << "yet";
}

void CHomeTools::ToiTunes(QBaseDetailsView* view) {
    static const QStringList mediaViews = {QStringLiteral("QVideoView"), QStringLiteral("QMusicView"),
                                           QStringLiteral("QPlayListView")};
    static const QStringList refusedViews = {QStringLiteral("PhotoView"), QStringLiteral("QiBookView"),
                                             QStringLiteral("QAppsView")};
    if (refusedViews.contains(view->objectName())) {
        ShowMessage(tr("Sorry!\nYou can't transfer data in that type to iTunes."));
        return;
    }
    if (!mediaViews.contains(view->objectName()))
        return;
    if (view->SelectedCount() == 0)
        ShowMessage(tr("Please choose one or more items first!"));
    else
        QMetaObject::invokeMethod(
            view, view->objectName() == QLatin1String("QPlayListView") ? "ToiThunes" : "OnItemToiTunes");
}
