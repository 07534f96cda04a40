#pragma once

#include <atomic>
#include <list>
#include <vector>

#include <QStringList>

#include <vexa/VexaRecords.h>

#include "QWorkProgressDlg.h"

class IBaseChunk;

// Deletes checked songs or videos from the device in one media-library call, behind a dialog that
// walks through their names while the call runs. The records are media chunks: each names its
// playlist position and item position, which is what the device is sent.
class deleteitemDlg : public QWorkProgressDlg {
    Q_OBJECT
public:
    // Modes: 0 music page, 1 video page, 2 a playlist, 3 the playlist's songs on the music page.
    explicit deleteitemDlg(QWidget* parent = nullptr);

    // The device is reached through a manager of the dialog's own for `deviceHandle`.
    void SetDevice(int deviceHandle) { m_deviceHandle = deviceHandle; }
    void SetMode(int mode) { m_mode = mode; }
    // The records to delete, in list order. Their names and positions are copied: the records may go
    // with their view while the dialog runs.
    void SetRecords(const std::list<IBaseChunk*>& records);
    // The device's answer once the dialog has closed; -1 when nothing was sent.
    int Result() const { return m_result; }

    // Asks "Are you sure ...?" (after "Please choose ..." when nothing of `list` is checked) and deletes
    // the checked records. Returns the device's answer, or -1 when nothing was deleted.
    static int DeleteChecked(const std::list<IBaseChunk*>& list, int deviceHandle, int mode);

public slots:
    void OnLaunchTimer();
    void OnLanguageChanged();

protected:
    void Work() override;
    void UpdateProgress() override { OnLaunchTimer(); }

private:
    int m_deviceHandle = -1;
    int m_mode = 0;
    QStringList m_names;
    std::vector<MediaPosition> m_positions;
    int m_position = 0;
    std::atomic<bool> m_done{false};
    int m_result = -1;
};
