#include "CSnapshotPage.h"

#include <algorithm>

#include <QDateTime>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <vexa/DeviceSnapshot.h>
#include <vexa/VexaResult.h>

#include "QBackupPasswordDlg.h"
#include "QBaseDetailsView.h"
#include "ResultReason.h"

namespace {

// The one password dialog of the session: every page that finds the snapshot locked waits for it.
QPointer<QBackupPasswordDlg>& OpenPasswordDialog() {
    static QPointer<QBackupPasswordDlg> dialog;
    return dialog;
}

} // namespace

CSnapshotPage* CSnapshotPage::Attach(QBaseDetailsView* view, ReadOnlyNotice::Content content) {
    return view->Manager() && HasDeviceSnapshot(view->Manager()) ? new CSnapshotPage(view, content) : nullptr;
}

CSnapshotPage::CSnapshotPage(QBaseDetailsView* view, ReadOnlyNotice::Content content)
    : QObject(view)
    , m_view(view)
    , m_manager(view->Manager())
    , m_content(content)
    , m_bar(new QWidget(view))
    , m_line(new QLabel(m_bar))
    , m_progress(new QProgressBar(m_bar))
    , m_cancel(new QPushButton(m_bar))
    , m_note(new QLabel(view)) {
    m_bar->setObjectName(QStringLiteral("snapshotBar"));
    m_line->setObjectName(QStringLiteral("snapshotLine"));
    m_line->setWordWrap(true);
    m_progress->setObjectName(QStringLiteral("snapshotProgress"));
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    m_cancel->setObjectName(QStringLiteral("snapshotCancel"));
    m_cancel->hide();
    m_note->setObjectName(QStringLiteral("snapshotEncryptionNote"));
    m_note->setWordWrap(true);
    m_note->setContentsMargins(8, 2, 8, 4);
    m_note->hide();
    auto* row = new QHBoxLayout(m_bar);
    row->setContentsMargins(8, 2, 8, 2);
    row->addWidget(m_line, 1);
    row->addWidget(m_progress);
    row->addWidget(m_cancel);
    // Under the read-only line and the skipped-entries line.
    if (auto* layout = qobject_cast<QVBoxLayout*>(view->layout())) {
        layout->insertWidget(3, m_bar);
        layout->insertWidget(4, m_note);
    }
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        m_cancel->setEnabled(false);
    });
    connect(this, &CSnapshotPage::progressChanged, this, &CSnapshotPage::OnProgressChanged);
    connect(this, &CSnapshotPage::snapshotChecked, this, &CSnapshotPage::OnSnapshotChecked);
    m_line->installEventFilter(this);
    Retranslate();
}

int CSnapshotPage::Prepare() {
    int taken = VEXA_OK;
    if (m_refreshWanted.exchange(false) || DeviceSnapshotTime(m_manager) == 0) {
        m_cancelled = false;
        m_lastPercent = 0;
        emit progressChanged(0);
        taken = RefreshDeviceSnapshot(m_manager, &CSnapshotPage::OnProgress, this);
    }
    const int64_t time = DeviceSnapshotTime(m_manager);
    emit snapshotChecked(time, DeviceSnapshotEncrypted(m_manager), taken);
    return time > 0 ? VEXA_OK : taken;
}

int CSnapshotPage::OnProgress(const BackupProgress* progress, void* context) {
    auto* self = static_cast<CSnapshotPage*>(context);
    uint64_t done = progress->bytesDone;
    uint64_t total = progress->bytesTotal;
    if (total == 0) {
        done = progress->filesDone;
        total = progress->filesTotal;
    }
    const int percent = total > 0 ? int(std::min<uint64_t>(done * 100 / total, 100)) : 0;
    if (self->m_lastPercent.exchange(percent) != percent)
        emit self->progressChanged(percent);
    // Cancelled here, or the load is replaced or torn down.
    return self->m_cancelled || self->m_view->IsStopRequested() ? 1 : 0;
}

void CSnapshotPage::OnProgressChanged(int percent) {
    if (!m_taking) {
        m_taking = true;
        m_cancel->setEnabled(true);
    }
    m_percent = percent;
    Retranslate();
}

void CSnapshotPage::OnSnapshotChecked(qint64 time, bool encrypted, int taken) {
    m_taking = false;
    m_time = time;
    m_taken = taken;
    m_locked = false;
    // Only an encrypted backup holds the call history.
    m_callsNeedEncryption = m_content == ReadOnlyNotice::Calls && time > 0 && !encrypted;
    m_note->setVisible(m_callsNeedEncryption);
    Retranslate();
}

bool CSnapshotPage::HandleFailure(int code) {
    if (code == VEXA_E_CANCELLED)
        return true;
    if (code != VEXA_E_PASSWORD)
        return false;
    m_locked = true;
    Retranslate();
    AskPassword();
    return true;
}

void CSnapshotPage::AskPassword() {
    QPointer<QBaseDetailsView> view = m_view;
    auto reload = [view] {
        if (view)
            view->Start();
    };
    if (QBackupPasswordDlg* asking = OpenPasswordDialog()) {
        connect(asking, &QDialog::accepted, m_view, reload);
        return;
    }
    IVexaManager* manager = m_manager;
    // A child of the view: it goes with the view, stopping the key's derivation first.
    auto* dialog = new QBackupPasswordDlg(
        [manager](const char* password, const std::function<bool()>& cancelled) {
            return UnlockDeviceSnapshot(manager, password, cancelled);
        },
        m_view);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, m_view, reload);
    OpenPasswordDialog() = dialog;
    dialog->open();
}

void CSnapshotPage::Retranslate() {
    m_progress->setVisible(m_taking);
    m_cancel->setVisible(m_taking);
    m_progress->setValue(m_percent);
    m_cancel->setText(tr("Cancel"));
    m_note->setText(tr("Backups of this device are not encrypted, and a phone gives its call history only to "
                       "an encrypted backup. To see calls here, turn on encryption of its backups (for "
                       "example with \"idevicebackup2 encryption on\"), then refresh."));
    if (m_taking) {
        switch (m_content) {
        case ReadOnlyNotice::Contacts:
            m_line->setText(tr("Reading contacts from the device… %1 %").arg(m_percent));
            break;
        case ReadOnlyNotice::Calls:
            m_line->setText(tr("Reading the call history from the device… %1 %").arg(m_percent));
            break;
        default:
            m_line->setText(tr("Reading messages from the device… %1 %").arg(m_percent));
            break;
        }
        return;
    }
    const QString taken = QLocale().toString(QDateTime::fromSecsSinceEpoch(m_time), QLocale::ShortFormat);
    if (m_locked)
        m_line->setText(tr("This device encrypts its backups: its data is shown once the backup password "
                           "is given. Refresh asks for it again."));
    else if (m_time == 0 && m_taken == VEXA_E_CANCELLED)
        m_line->setText(tr("Reading from the device was cancelled. Refresh reads it again."));
    else if (m_time == 0)
        m_line->setText(tr("Nothing was read from the device yet."));
    else if (m_taken == VEXA_E_CANCELLED)
        m_line->setText(tr("The new snapshot was cancelled; shown is the one taken on %1.").arg(taken));
    else if (m_taken != VEXA_OK)
        m_line->setText(WithReason(
            tr("No new snapshot could be taken; shown is the one taken on %1.").arg(taken), m_taken));
    else
        m_line->setText(
            tr("Read from a snapshot of the device taken on %1. Refresh takes a new one.").arg(taken));
}

bool CSnapshotPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_line && event->type() == QEvent::LanguageChange)
        Retranslate();
    return QObject::eventFilter(watched, event);
}
