#include "QRecordExportDialog.h"

#include "CExportPath.h"
#include "CRecordFileExport.h"
#include "ISerialable.h"
#include "QMessageDlg.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

QString QRecordExportDialog::FilterFor(const QString& viewObjectName) {
    if (viewObjectName == QLatin1String("QContactsView")) {
        return QStringLiteral(
            "vcf files (*.vcf);;excel files (*.xls);;xml files (*.xml);;text files (*.txt)");
    }
    return QStringLiteral("excel files (*.xls);;xml files (*.xml);;text files (*.txt)");
}

QString QRecordExportDialog::StartPath() {
    return QStringLiteral("%1/%2").arg(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                       QStringLiteral("Vexa Transfer Files"));
}

void QRecordExportDialog::Run(QWidget* view, ISerialable* source) {
    if (!source) {
        return;
    }
    const QString filter = FilterFor(view ? view->objectName() : QString());
    // The dialog runs an event loop: the device may leave meanwhile and take its view (the source and
    // the dialog's parent) with it. A dialog on the heap goes with its parent; one on the stack would
    // be deleted twice.
    const QPointer<QWidget> guard(view);
    QPointer<QFileDialog> dialog = new QFileDialog(view, tr("Save File"), StartPath(), filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectNameFilter(filter.section(QStringLiteral(";;"), 0, 0));
    const int answer = dialog->exec();
    if (!dialog || (view && !guard)) {
        return;
    }
    const QStringList chosen = dialog->selectedFiles();
    delete dialog.data();
    const QString path = answer == QDialog::Accepted ? chosen.value(0) : QString();
    if (path.isEmpty()) {
        return;
    }
    const std::string utf8Path = path.toStdString();
    if (CRecordFileExport::ExportFile(*source, utf8Path) == CRecordFileExport::Result::WriteFailed) {
        // A read-only folder or a full disk: the user must not believe the records were saved.
        ShowMessage(tr("Export failed! %1 could not be written.").arg(QDir::toNativeSeparators(path)),
                    QString(), MSG_ERROR);
        return;
    }
    // The folder opens even when the extension named no writer, so the user sees where it went.
    const QString folder = QString::fromStdString(CExportPath::FolderPart(utf8Path));
    if (!folder.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    }
}

void QRecordExportDialog::RunChecked(QWidget* view, ISerialable* source, bool anyChecked) {
    if (!anyChecked) {
        ShowMessage(tr("Please choose one or more items first!"), QString());
        return;
    }
    Run(view, source);
}
