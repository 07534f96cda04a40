#pragma once

#include "QImageDialog.h"

class BackupModel;
class IDeviceDirectory;
class IVexaManager;
class QComboBox;
class QImageButton;
class QLabel;
class QTableView;

// The backup window: the connected devices to choose from, the backups made so far, and the Backup
// button that asks for a folder and backs the chosen device up into it behind a progress dialog.
class BackupWidget : public QImageDialog {
    Q_OBJECT
public:
    explicit BackupWidget(const IDeviceDirectory* directory, QWidget* parent = nullptr);

    // Backs the chosen device up into `folder` and waits for the progress dialog to close; true when the
    // backup was made.
    bool StartBackup(const QString& folder);
    QComboBox* DeviceCombo() const { return m_comboDevice; }
    BackupModel* Model() const { return m_model; }

public slots:
    void OnBtnBackup();
    void OnBtnClose();
    void ReloadDevices();
    void OnLanguageChanged();

private:
    IVexaManager* ChosenManager() const;
    void Place();

    const IDeviceDirectory* m_directory;
    BackupModel* m_model;
    QLabel* m_labelDevice;
    QComboBox* m_comboDevice;
    QTableView* m_tableView;
    QImageButton* m_btnBackup;
    QImageButton* m_btnClose;
};
