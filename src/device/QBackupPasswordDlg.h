#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include <QDialog>

class BackupContent;
class QBusyIndicator;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks for the password of an encrypted backup and unlocks it. Deriving the key takes seconds, so it
// runs on a thread of its own while a busy indicator turns; Cancel stops it. A wrong password is said
// and asked again. The password and the key stay in memory only: the backup object holds the key for
// as long as it is open.
class QBackupPasswordDlg : public QDialog {
    Q_OBJECT
public:
    // `backup` is opened and encrypted; it must outlive the dialog.
    QBackupPasswordDlg(BackupContent& backup, const QString& backupName, QWidget* parent = nullptr);
    ~QBackupPasswordDlg() override;

    // After exec(): the last answer of the unlock (VEXA_E_CANCELLED when the user gave up).
    int Result() const { return m_result; }

    void reject() override;

signals:
    void unlockFinished(int result);

private:
    void OnUnlock();
    void OnUnlockFinished(int result);
    void SetWorking(bool working);
    void StopWorker();

    BackupContent& m_backup;
    QLineEdit* m_password = nullptr;
    QLabel* m_status = nullptr;
    QBusyIndicator* m_busy = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    std::thread m_worker;
    std::atomic<bool> m_cancelled{false};
    int m_result = 0;
};
