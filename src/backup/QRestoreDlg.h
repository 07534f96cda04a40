#pragma once

#include <QList>

#include "CBackupRecord.h"
#include "QImageDialog.h"

class IDeviceDirectory;
class QImageButton;
class QTableView;
class RestoreTableModel;

// The restore window: the backups the first connected device has made plus the folders the user
// imported (kept across restarts), with Backup, Restore from Backup, Remove, Reload, Import and Open.
class QRestoreDlg : public QImageDialog {
    Q_OBJECT
public:
    explicit QRestoreDlg(const IDeviceDirectory* directory, QWidget* parent = nullptr);

    RestoreTableModel* Model() const { return m_model; }
    QTableView* Table() const { return m_tableView; }
    // Adds a backup folder (or the one device folder inside it) to the list; false, with a message,
    // when it holds no readable backup.
    bool ImportFolder(const QString& chosen);
    // Deletes the selected row's backup folder after asking; false when nothing was deleted.
    bool RemoveSelected();
    // Whether a backup was restored to a device while the window was open.
    bool HasRestored() const { return m_restored; }

public slots:
    void OnBtnBackup();
    void OnBtnRestore();
    void OnBtnRemove();
    void OnBtnReload();
    void OnBtnImport();
    void OnBtnOpen();
    void OnBtnClose();
    void OnLanguageChanged();

private:
    void LoadRecords();
    int SelectedRow() const;
    static bool DeleteFolder(const QString& folder);

    const IDeviceDirectory* m_directory;
    RestoreTableModel* m_model;
    QList<CBackupRecord> m_imported;
    QTableView* m_tableView;
    QImageButton* m_btnBackup;
    QImageButton* m_btnRestore;
    QImageButton* m_btnRemove;
    QImageButton* m_btnReload;
    QImageButton* m_btnImport;
    QImageButton* m_btnOpen;
    QImageButton* m_btnClose;
    bool m_restored = false;
};
