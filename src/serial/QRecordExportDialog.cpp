#include "QRecordExportDialog.h"

#include "CDesktopOpen.h"
#include "CExportPath.h"
#include "CRecordFileExport.h"
#include "IExportWithFiles.h"
#include "ISerialable.h"
#include "QMessageDlg.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWidget>

QString QRecordExportDialog::FilterFor(const QString& viewObjectName) {
    if (viewObjectName == QLatin1String("QContactsView")) {
        return QStringLiteral(
            "vcf files (*.vcf);;excel files (*.xls);;xml files (*.xml);;text files (*.txt)");
    }
    if (viewObjectName == QLatin1String("qmessageView")) {
        return QStringLiteral(
            "excel files (*.xls);;xml files (*.xml);;text files (*.txt);;web pages (*.html)");
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
    // A name typed without an extension gets the chosen type's, and the dialog asks before it
    // replaces a file of that name.
    const auto useSuffixOf = [dialog](const QString& nameFilter) {
        dialog->setDefaultSuffix(
            QString::fromStdString(CExportPath::FilterExtension(nameFilter.toStdString())).mid(1));
    };
    useSuffixOf(dialog->selectedNameFilter());
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, useSuffixOf);
    const int answer = dialog->exec();
    if (!dialog || (view && !guard)) {
        return;
    }
    const QStringList chosen = dialog->selectedFiles();
    const QString chosenFilter = dialog->selectedNameFilter();
    delete dialog.data();
    if (answer != QDialog::Accepted || chosen.value(0).isEmpty()) {
        return;
    }
    // One with an extension no writer knows ("v1.2") gets it here; the dialog did not see that name.
    const std::string utf8Path = CExportPath::WithChosenExtension(
        chosen.value(0).toStdString(), filter.toStdString(), chosenFilter.toStdString());
    const QString path = QString::fromStdString(utf8Path);
    if (path != chosen.value(0) && QFileInfo::exists(path)) {
        const int replace = ShowMessage(
            tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)),
            QString(), MSG_WARNING | MSG_YESNO);
        if (replace != MSG_RESULT_YES || (view && !guard)) {
            return;
        }
    }
    auto* withFiles = dynamic_cast<IExportWithFiles*>(source);
    switch (withFiles ? withFiles->ExportWithFiles(utf8Path)
                      : CRecordFileExport::ExportFile(*source, utf8Path)) {
    case CRecordFileExport::Result::WriteFailed:
        // A read-only folder or a full disk: the user must not believe the records were saved.
        ShowMessage(tr("Export failed! %1 could not be written.").arg(QDir::toNativeSeparators(path)),
                    QString(), MSG_ERROR);
        break;
    case CRecordFileExport::Result::NoWriter:
        ShowMessage(tr("Nothing was exported: %1 is not a kind of file the export writes. Please choose "
                       "one of the file types offered.")
                        .arg(QDir::toNativeSeparators(path)),
                    QString(), MSG_WARNING);
        break;
    case CRecordFileExport::Result::Written:
        CDesktopOpen::ConfirmFileExport(path);
        break;
    }
}

void QRecordExportDialog::RunChecked(QWidget* view, ISerialable* source, bool anyChecked) {
    if (!anyChecked) {
        ShowMessage(tr("Please choose one or more items first!"), QString());
        return;
    }
    Run(view, source);
}
