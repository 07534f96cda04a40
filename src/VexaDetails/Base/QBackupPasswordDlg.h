#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include <QDialog>

class BackupContent;
class QBusyIndicator;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks for the password of an encrypted backup, or of a device whose backups are encrypted, and
// unlocks it. Deriving the key takes seconds, so it runs on a thread of its own while a busy indicator
// turns; Cancel stops it. A wrong password is said and asked again. The password and the key stay in
// memory only: whoever unlocks holds the key for the session.
class QBackupPasswordDlg : public QDialog {
    Q_OBJECT
public:
    // Called on a thread of the dialog's own with the typed password; `cancelled`, asked now and then, asks
    // it to stop with VEXA_E_CANCELLED. Answers a VexaResult.
    using UnlockCall = std::function<int(const char* passwordUtf8, const std::function<bool()>& cancelled)>;

    // `backup` is opened and encrypted; it must outlive the dialog.
    QBackupPasswordDlg(BackupContent& backup, const QString& backupName, QWidget* parent = nullptr);
    // For a device that encrypts its backups; `unlock` must stay callable while the dialog lives.
    explicit QBackupPasswordDlg(UnlockCall unlock, QWidget* parent = nullptr);
    ~QBackupPasswordDlg() override;

    // After exec(): the last answer of the unlock (VEXA_E_CANCELLED when the user gave up).
    int Result() const { return m_result; }

    void reject() override;

signals:
    void unlockFinished(int result);

private:
    QBackupPasswordDlg(const QString& prompt, UnlockCall unlock, std::function<QString(int)> problem,
                       QWidget* parent);
    void OnUnlock();
    void OnUnlockFinished(int result);
    void SetWorking(bool working);
    void StopWorker();

    UnlockCall m_unlock;
    std::function<QString(int)> m_problem; // why an unlock that answered the code failed
    QLineEdit* m_password = nullptr;
    QLabel* m_status = nullptr;
    QBusyIndicator* m_busy = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    std::thread m_worker;
    std::atomic<bool> m_cancelled{false};
    int m_result = 0;
};
