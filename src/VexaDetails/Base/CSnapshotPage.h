#pragma once

#include <atomic>
#include <cstdint>

#include <QObject>

#include "ReadOnlyNotice.h"

class IVexaManager;
class QBaseDetailsView;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;
struct BackupProgress;

// A real device hands its contacts, messages and calls only to a backup, so their pages read the
// device's snapshot (DeviceSnapshot.h). This keeps such a page honest about it: under the page's buttons
// a line says when the snapshot was taken; the first snapshot and the one Refresh takes show their
// progress with a Cancel button; a device whose backups are encrypted is asked for the password; the
// calls page says why it shows no calls while the backups are not encrypted. Attach makes one only for
// a device read through a snapshot.
class CSnapshotPage : public QObject {
    Q_OBJECT
public:
    // Null when the view's device is read directly.
    static CSnapshotPage* Attach(QBaseDetailsView* view, ReadOnlyNotice::Content content);

    // On the view's loading thread, before the read: takes the first snapshot, or a new one after
    // RequestRefresh. VEXA_OK while there is a snapshot to read: one that failed or was cancelled leaves
    // the earlier one, and the line says so.
    int Prepare();
    // The next Prepare takes a new snapshot. GUI thread.
    void RequestRefresh() { m_refreshWanted = true; }
    // After the read answered `code`, GUI thread: true when the page has nothing more to say (the line
    // already tells of a cancel; a password is asked, and the view loads again once it is right).
    bool HandleFailure(int code);

    // The calls page of a device whose backups are not encrypted: the snapshot holds no calls.
    bool CallsNeedEncryption() const { return m_callsNeedEncryption; }
    QLabel* Line() const { return m_line; }
    QLabel* EncryptionNote() const { return m_note; }
    QProgressBar* Progress() const { return m_progress; }
    QPushButton* CancelButton() const { return m_cancel; }

signals:
    // From the loading thread.
    void progressChanged(int percent);
    void snapshotChecked(qint64 time, bool encrypted, int taken);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSnapshotPage(QBaseDetailsView* view, ReadOnlyNotice::Content content);

    static int OnProgress(const BackupProgress* progress, void* context);
    void OnProgressChanged(int percent);
    void OnSnapshotChecked(qint64 time, bool encrypted, int taken);
    void AskPassword();
    void Retranslate();

    QBaseDetailsView* m_view;
    IVexaManager* m_manager;
    const ReadOnlyNotice::Content m_content;
    QWidget* m_bar;
    QLabel* m_line;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QLabel* m_note;

    std::atomic<bool> m_refreshWanted{false};
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_lastPercent{-1};
    // What the GUI shows, as the last Prepare found it.
    bool m_taking = false;
    bool m_locked = false; // the password was not given
    bool m_callsNeedEncryption = false;
    int m_percent = 0;
    qint64 m_time = 0;
    int m_taken = 0;
};
