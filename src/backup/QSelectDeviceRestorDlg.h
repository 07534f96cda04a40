#pragma once

#include <QList>

#include "CBackupRecord.h"
#include "QImageDialog.h"

class IDeviceDirectory;
class QComboBox;
class QImageButton;
class QTableView;
class RestoreTableModel;

// Chooses the device to restore onto and the backup to restore, then runs the restore: the question,
// the password of an encrypted backup, the worker behind a progress dialog and the outcome message.
class QSelectDeviceRestorDlg : public QImageDialog {
    Q_OBJECT
public:
    enum Outcome { NotRun, Refused, Restored, Failed, Cancelled };

    QSelectDeviceRestorDlg(const QList<CBackupRecord>& records, const IDeviceDirectory* directory,
                           QWidget* parent = nullptr);

    Outcome LastOutcome() const { return m_outcome; }
    QComboBox* DeviceCombo() const { return m_comboBox; }
    QTableView* Table() const { return m_tableView; }
    RestoreTableModel* Model() const { return m_model; }

public slots:
    void OnBtnConfirm();
    void OnBtnClose();
    void OnChangeComBox(int index);
    void OnLanguageChanged();

private:
    const CBackupRecord* SelectedRecord() const;
    // Runs the restore of `record` onto the chosen device once the user has agreed.
    Outcome Restore(const CBackupRecord& record, const QString& password);

    QList<CBackupRecord> m_records;
    const IDeviceDirectory* m_directory;
    RestoreTableModel* m_model;
    QComboBox* m_comboBox;
    QTableView* m_tableView;
    QImageButton* m_btnOk;
    QImageButton* m_btnCancel;
    QImageButton* m_btnClose;
    Outcome m_outcome = NotRun;
    int m_failure = 0; // the device library's answer to the last failed restore
};
