#include "QRestoreDlg.h"

#include <algorithm>

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QHeaderView>
#include <QPointer>
#include <QTableView>

#include <vexa/IVexaManager.h>

#include "BackupWidget.h"
#include "CBackupFolder.h"
#include "CBackupTableLook.h"
#include "CDesktopOpen.h"
#include "CImageCaption.h"
#include "CImportedBackups.h"
#include "IDeviceDirectory.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "QSelectDeviceRestorDlg.h"
#include "RestoreTableModel.h"

QRestoreDlg::QRestoreDlg(const IDeviceDirectory* directory, QWidget* parent)
    : QImageDialog(parent)
    , m_directory(directory)
    , m_model(new RestoreTableModel(this))
    , m_tableView(new QTableView(this))
    , m_btnBackup(new QImageButton(this))
    , m_btnRestore(new QImageButton(this))
    , m_btnRemove(new QImageButton(this))
    , m_btnReload(new QImageButton(this))
    , m_btnImport(new QImageButton(this))
    , m_btnOpen(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("QRestoreDlg"));
    m_tableView->setObjectName(QStringLiteral("m_tableView"));
    m_btnBackup->setObjectName(QStringLiteral("m_btnBackup"));
    m_btnRestore->setObjectName(QStringLiteral("m_btnRestore"));
    m_btnRemove->setObjectName(QStringLiteral("m_btnRemove"));
    m_btnReload->setObjectName(QStringLiteral("m_btnReload"));
    m_btnImport->setObjectName(QStringLiteral("m_btnImport"));
    m_btnOpen->setObjectName(QStringLiteral("m_btnOpen"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_tableView->setModel(m_model);
    CBackupTableLook::Apply(m_tableView);
    connect(m_btnBackup, &QPushButton::clicked, this, &QRestoreDlg::OnBtnBackup);
    connect(m_btnRestore, &QPushButton::clicked, this, &QRestoreDlg::OnBtnRestore);
    connect(m_btnRemove, &QPushButton::clicked, this, &QRestoreDlg::OnBtnRemove);
    connect(m_btnReload, &QPushButton::clicked, this, &QRestoreDlg::OnBtnReload);
    connect(m_btnImport, &QPushButton::clicked, this, &QRestoreDlg::OnBtnImport);
    connect(m_btnOpen, &QPushButton::clicked, this, &QRestoreDlg::OnBtnOpen);
    connect(m_btnClose, &QPushButton::clicked, this, &QRestoreDlg::OnBtnClose);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QRestoreDlg::OnLanguageChanged);
    OnLanguageChanged();
    // Folders imported before are listed again while they still hold a backup.
    for (const QString& folder : CImportedBackups().Folders()) {
        CBackupRecord record;
        if (CBackupFolder::Read(folder, record) == CBackupFolder::Ok)
            m_imported.append(record);
    }
    LoadRecords();
}

void QRestoreDlg::LoadRecords() {
    QList<CBackupRecord> records;
    const QList<CConnectedDevice> devices =
        m_directory ? m_directory->ConnectedDevices() : QList<CConnectedDevice>();
    IDeviceService* service = devices.isEmpty() ? nullptr : devices.first().manager->GetDeviceService();
    BackupRecord* list = nullptr;
    int count = 0;
    if (service && service->GetBackups(&list, &count) == 0) {
        for (int i = 0; i < count; ++i)
            records.append(CBackupRecord::FromLibrary(list[i]));
    }
    for (const CBackupRecord& imported : m_imported) {
        const bool listed = std::any_of(records.begin(), records.end(), [&imported](const CBackupRecord& r) {
            return r.folder == imported.folder;
        });
        if (!listed)
            records.append(imported);
    }
    m_model->SetRecords(records);
}

int QRestoreDlg::SelectedRow() const {
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void QRestoreDlg::OnBtnBackup() {
    BackupWidget backup(m_directory, this);
    backup.OnBtnBackup();
    LoadRecords();
}

void QRestoreDlg::OnBtnRestore() {
    QSelectDeviceRestorDlg dialog(m_model->Records(), m_directory, this);
    if (dialog.exec() == QDialog::Accepted)
        m_restored = true;
}

void QRestoreDlg::OnBtnRemove() {
    RemoveSelected();
}

bool QRestoreDlg::RemoveSelected() {
    const CBackupRecord* record = m_model->Record(SelectedRow());
    if (!record) {
        ShowMessage(tr("Please select restore file!"));
        return false;
    }
    const QString folder = record->folder;
    QPointer<QRestoreDlg> self(this);
    if (ShowMessage(tr("\nAre you sure to delete this backup file?\n"), QString(), MSG_WARNING | MSG_YESNO) !=
            MSG_RESULT_YES ||
        !self)
        return false;
    const bool deleted = DeleteFolder(folder);
    CImportedBackups().Remove(folder);
    m_imported.erase(std::remove_if(m_imported.begin(), m_imported.end(),
                                    [&folder](const CBackupRecord& r) { return r.folder == folder; }),
                     m_imported.end());
    QList<CBackupRecord> records = m_model->Records();
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [&folder](const CBackupRecord& r) { return r.folder == folder; }),
                  records.end());
    m_model->SetRecords(records);
    return deleted;
}

bool QRestoreDlg::DeleteFolder(const QString& folder) {
    // Files first, deepest folders next, each step in the debug output.
    bool all = true;
    QStringList folders;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink()) {
            folders.append(path);
            continue;
        }
        qDebug() << "QRestoreDlg::DeleteFolder found" << path;
        if (QFile::remove(path)) {
            qDebug() << "QRestoreDlg::DeleteFolder deleted" << path;
        } else {
            qDebug() << "QRestoreDlg::DeleteFolder can't delete" << path;
            all = false;
        }
    }
    std::sort(folders.begin(), folders.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    folders.append(folder);
    for (const QString& path : folders) {
        if (!QDir().rmdir(path)) {
            qDebug() << "QRestoreDlg::DeleteFolder can't delete" << path;
            all = false;
        }
    }
    return all;
}

void QRestoreDlg::OnBtnReload() {
    LoadRecords();
}

void QRestoreDlg::OnBtnImport() {
    QPointer<QRestoreDlg> self(this);
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Import File"), CBackupFolder::StartFolder(),
        QStringLiteral("Manifest.plist files (Manifest.plist);;All files (*.*)"));
    if (!self || file.isEmpty())
        return;
    const QString folder = file.left(file.lastIndexOf(QLatin1Char('/')));
    CBackupFolder::RememberFolder(folder);
    ImportFolder(folder);
}

bool QRestoreDlg::ImportFolder(const QString& chosen) {
    const QString folder = CBackupFolder::Locate(chosen);
    CBackupRecord record;
    switch (CBackupFolder::Read(folder, record)) {
    case CBackupFolder::Ok:
        break;
    case CBackupFolder::NoManifest:
        ShowMessage(tr("This folder holds no backup: Manifest.plist is missing."), QString(), MSG_ERROR);
        return false;
    case CBackupFolder::DamagedManifest:
        ShowMessage(tr("This backup can't be read: its Manifest.plist or Info.plist is damaged."), QString(),
                    MSG_ERROR);
        return false;
    case CBackupFolder::DamagedDatabase:
        ShowMessage(tr("This backup can't be read: its Manifest.db is not a valid database."), QString(),
                    MSG_ERROR);
        return false;
    }
    m_imported.erase(std::remove_if(m_imported.begin(), m_imported.end(),
                                    [&folder](const CBackupRecord& r) { return r.folder == folder; }),
                     m_imported.end());
    m_imported.append(record);
    if (!CImportedBackups().Add(folder))
        qDebug() << "QRestoreDlg::ImportFolder the list of imported backups could not be written";
    LoadRecords();
    return true;
}

void QRestoreDlg::OnBtnOpen() {
    const CBackupRecord* record = m_model->Record(SelectedRow());
    if (record)
        CDesktopOpen::OpenFolder(record->folder);
}

void QRestoreDlg::OnBtnClose() {
    close();
}

void QRestoreDlg::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/restore_bg.png"));
    if (!HasBackgroundImage())
        setFixedSize(860, 540);
    const struct {
        QImageButton* button;
        const char* image;
    } buttons[] = {{m_btnBackup, "btn_Backup.png"}, {m_btnRestore, "btn_Restore_from_Backup.png"},
                   {m_btnRemove, "btn_Remove.png"}, {m_btnReload, "btn_Reload.png"},
                   {m_btnImport, "btn_Import.png"}, {m_btnOpen, "btn_Open.png"}};
    int x = 30;
    for (const auto& entry : buttons) {
        found =
            entry.button->SetImages(root + QStringLiteral("/image/status/") + QLatin1String(entry.image)) &&
            found;
        entry.button->move(x, 56);
        x += entry.button->width() + 10;
    }
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    if (!found)
        qDebug() << "QRestoreDlg::OnLanguageChanged can't find an image";
    setWindowTitle(tr("Restore"));
    CImageCaption::Set(m_btnBackup, tr("Backup"));
    CImageCaption::Set(m_btnRestore, tr("Restore from Backup"));
    CImageCaption::Set(m_btnRemove, tr("Remove"));
    CImageCaption::Set(m_btnReload, tr("Reload"));
    CImageCaption::Set(m_btnImport, tr("Import"));
    CImageCaption::Set(m_btnOpen, tr("Open"));
    m_btnClose->move(width() - m_btnClose->width() - 10, 10);
    m_tableView->setGeometry(30, 100, width() - 60, height() - 130);
}
