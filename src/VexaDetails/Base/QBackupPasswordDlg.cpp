#include "QBackupPasswordDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vexa/BackupContent.h>
#include <vexa/VexaResult.h>

#include "QBusyIndicator.h"
#include "ResultReason.h"

QBackupPasswordDlg::QBackupPasswordDlg(BackupContent& backup, const QString& backupName, QWidget* parent)
    : QBackupPasswordDlg(
          tr("The backup \"%1\" is encrypted. Enter the password that was set for its backups on the device.")
              .arg(backupName),
          [&backup](const char* password, const std::function<bool()>& cancelled) {
              return backup.Unlock(password, cancelled);
          },
          [&backup](int) { return QString::fromStdString(backup.Problem()); }, parent) {}

QBackupPasswordDlg::QBackupPasswordDlg(UnlockCall unlock, QWidget* parent)
    : QBackupPasswordDlg(
          tr("This device encrypts its backups, and its contacts, messages and calls are read "
             "from a backup of it. Enter the password that was set for its backups on the "
             "device."),
          std::move(unlock),
          [](int code) {
              const QString reason = ResultReason(code);
              return reason.isEmpty() ? QString::number(code) : reason;
          },
          parent) {}

QBackupPasswordDlg::QBackupPasswordDlg(const QString& prompt, UnlockCall unlock,
                                       std::function<QString(int)> problem, QWidget* parent)
    : QDialog(parent)
    , m_unlock(std::move(unlock))
    , m_problem(std::move(problem))
    , m_password(new QLineEdit(this))
    , m_status(new QLabel(this))
    , m_busy(new QBusyIndicator(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("QBackupPasswordDlg"));
    setWindowTitle(tr("Encrypted backup"));
    auto* promptLine = new QLabel(prompt, this);
    promptLine->setWordWrap(true);
    m_password->setObjectName(QStringLiteral("m_password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_status->setObjectName(QStringLiteral("m_status"));
    m_status->setWordWrap(true);
    m_busy->hide();

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_busy);
    statusRow->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLine);
    layout->addWidget(m_password);
    layout->addLayout(statusRow);
    layout->addWidget(m_buttons);
    setMinimumWidth(420);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QBackupPasswordDlg::OnUnlock);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QBackupPasswordDlg::reject);
    connect(this, &QBackupPasswordDlg::unlockFinished, this, &QBackupPasswordDlg::OnUnlockFinished,
            Qt::QueuedConnection);
}

QBackupPasswordDlg::~QBackupPasswordDlg() {
    StopWorker();
}

void QBackupPasswordDlg::StopWorker() {
    m_cancelled = true;
    if (m_worker.joinable())
        m_worker.join();
}

void QBackupPasswordDlg::OnUnlock() {
    if (m_worker.joinable() || m_password->text().isEmpty())
        return;
    SetWorking(true);
    m_cancelled = false;
    // The text leaves the line edit at once; the copy handed to the thread is the only one.
    QByteArray password = m_password->text().toUtf8();
    m_password->clear();
    m_worker = std::thread([this, password = std::move(password)]() mutable {
        const int result = m_unlock(password.constData(), [this] { return m_cancelled.load(); });
        password.fill('\0');
        emit unlockFinished(result);
    });
}

void QBackupPasswordDlg::OnUnlockFinished(int result) {
    if (m_worker.joinable())
        m_worker.join();
    m_result = result;
    SetWorking(false);
    if (result == VEXA_OK) {
        accept();
        return;
    }
    if (result == VEXA_E_PASSWORD) {
        m_status->setText(tr("The password is wrong. Please try again."));
        m_password->setFocus();
        return;
    }
    if (result == VEXA_E_CANCELLED || m_cancelled) {
        QDialog::reject();
        return;
    }
    m_status->setText(tr("The backup cannot be unlocked: %1").arg(m_problem(result)));
}

void QBackupPasswordDlg::reject() {
    // Closing while the key is derived stops the derivation; the dialog closes once it has stopped.
    if (m_worker.joinable()) {
        m_cancelled = true;
        m_status->setText(tr("Stopping…"));
        return;
    }
    m_result = VEXA_E_CANCELLED;
    QDialog::reject();
}

void QBackupPasswordDlg::SetWorking(bool working) {
    m_busy->setVisible(working);
    m_password->setEnabled(!working);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!working);
    if (working)
        m_status->setText(tr("Checking the password. This takes a few seconds…"));
    else
        m_status->clear();
}
