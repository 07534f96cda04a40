#include "CContactsBackup.h"

#include <list>
#include <string>

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QPointer>

#include <vexa/vexa.h>

#include "CExportFileName.h"
#include "CRecordFileExport.h"
#include "CSingleDetectiPhone.h"
#include "IBaseChunk.h"
#include "ISerialable.h"
#include "QContactsView.h"
#include "QMessageDlg.h"
#include "QRecordExportDialog.h"
#include "QWaitDlg.h"

namespace {

// Every record of a list, whatever its check mark: a backup leaves nobody out. Each record is a card
// of its own; no item wraps them, which the vCard writer would make an empty card.
class CAllRecords : public ISerialable {
public:
    explicit CAllRecords(const std::list<IBaseChunk*>& records)
        : m_records(records) {}

    void Serialize(IBaseSerial* writer) override {
        for (IBaseChunk* chunk : m_records)
            if (writer)
                chunk->Serialize(writer);
    }
    void Deserialize(IBaseSerial*) override {}

private:
    const std::list<IBaseChunk*>& m_records;
};

QString DeviceName(const QContactsView& view) {
    const DeviceInfo* record = CSingleDetectiPhone::Instance()->RecordOf(view.Manager());
    const char* name = record ? record->properties[DP_DeviceName] : nullptr;
    return name && *name ? QString::fromUtf8(name) : QStringLiteral("iPhone");
}

} // namespace

QString CContactsBackup::FilePath(const QString& folder, const QString& deviceName, const QDateTime& when) {
    const QString title = QStringLiteral("%1 Contacts %2")
                              .arg(deviceName, when.toString(QStringLiteral("yyyy-MM-dd hh.mm.ss")));
    const std::string safe = CExportFileName::SanitiseTitle(title.toStdString());
    return QDir(folder).filePath(QString::fromStdString(safe) + QStringLiteral(".vcf"));
}

void CContactsBackup::Run(QContactsView* view, QWidget* parent) {
    const QPointer<QContactsView> guard(view);
    const QString folder =
        QFileDialog::getExistingDirectory(parent, tr("Backup Contacts"), QRecordExportDialog::StartPath());
    if (folder.isEmpty() || !guard)
        return;
    if (!Reload(view, parent))
        return;
    const QString path = FilePath(folder, DeviceName(*view), QDateTime::currentDateTime());
    CAllRecords records(*view->ChunkList());
    if (CRecordFileExport::ExportFile(records, path.toStdString()) != CRecordFileExport::Result::Written) {
        ShowMessage(tr("Backup failed! %1 could not be written.").arg(QDir::toNativeSeparators(path)),
                    QString(), MSG_ERROR);
        return;
    }
    ShowMessage(
        tr("%1 contacts were saved to %2.").arg(view->GetChunkCount()).arg(QDir::toNativeSeparators(path)));
}

bool CContactsBackup::Reload(QContactsView* view, QWidget* parent) {
    if (view->IsHalted())
        return false;
    const QPointer<QContactsView> guard(view);
    QWaitDlg wait(parent);
    wait.SetText(tr("Reading the contacts from the device..."));
    QObject::connect(view, &QBaseDetailsView::loadFinished, &wait, &QWaitDlg::Finish);
    // Unplugging halts the view's load and deletes the view soon after.
    QObject::connect(view, &QObject::destroyed, &wait, &QWaitDlg::Finish);
    view->OnRefreshContacts();
    wait.exec();
    return guard && !guard->IsHalted() && guard->LastLoadListed();
}
