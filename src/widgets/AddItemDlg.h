#pragma once

#include <functional>

#include <QStringList>

#include "QWorkProgressDlg.h"

// Copies files from the computer into the device behind a progress dialog. The add routine of the
// music page, the video page or a playlist does the copying; it counts the files it has handled in
// the counter it is given, which the dialog shows as "Copying" and "text(index/total):file name".
class AddItemDlg : public QWorkProgressDlg {
    Q_OBJECT
public:
    // Who adds: the music page, the video page or the playlist thread.
    enum Mode { MusicView = 0, VideoView = 1, PlaylistThread = 2 };
    // Adds `files` and returns the device library's code; `progress` counts the files handled.
    using Routine = std::function<int(const QStringList& files, int* progress)>;

    AddItemDlg(int mode, const QStringList& files, int listPosition, QWidget* parent = nullptr);

    void SetRoutine(Routine routine) { m_routine = std::move(routine); }
    int Mode() const { return m_mode; }
    int ListPosition() const { return m_listPosition; }
    // The routine's answer once the dialog has closed; -1 when it never ran.
    int Result() const { return m_result; }
    // Files handled so far.
    int Progress() const;

public slots:
    void OnLanguageChanged();

protected:
    void Work() override;
    void UpdateProgress() override;

private:
    int m_mode;
    QStringList m_files;
    int m_listPosition;
    Routine m_routine;
    // Written by the device library on the worker thread, read here on the timer.
    int m_progress = 0;
    int m_result = -1;
};
