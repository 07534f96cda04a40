#pragma once

#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QStringList>

#include "QImageDialog.h"

class CConverterVideo;
class ConverterVideoAdapter;
class QImageProgressBar;
class QLabel;
class QPushButton;

// Converts the chosen video files that are not MP4 into MP4 files in a working folder, one job after
// another, showing each job's progress; the MP4 files pass through as they are. Ends with
// kSucceeded, or kCancelled when the user cancelled (then nothing is to be added).
class QConverVideoDlg : public QImageDialog {
    Q_OBJECT
public:
    static constexpr int kSucceeded = 4097;
    static constexpr int kCancelled = 4098;

    // `workFolder` receives the converted files; it must exist.
    QConverVideoDlg(const QStringList& files, const QString& workFolder, QWidget* parent = nullptr);
    ~QConverVideoDlg() override;

    // Runs the jobs behind the dialog; answers at once when there is nothing to convert.
    int exec() override;

    // The files to add, in the order chosen: MP4 files as they are, the others converted.
    QStringList Outputs() const;
    // Chosen files that are missing, not videos or could not be converted.
    QStringList Failures() const { return m_failures; }
    int JobCount() const { return int(m_jobs.size()); }
    int RunningJob() const { return m_jobIndex; }
    QLabel* ProgressLabel() const { return m_labelText; }
    QLabel* CalculationLabel() const { return m_labelTime; }

    // "a.b.avi" becomes "<workFolder>/a_b.mp4".
    static QString DestinationFor(const QString& workFolder, const QString& source);
    static bool IsMp4(const QString& path);
    // "hh:mm:ss", "mm:ss" or "Ns" of a duration in milliseconds.
    static QString TimeText(qint64 milliseconds);

public slots:
    void OnTimer();
    void OnBtnCancel();
    void OnBegin();
    void OnEnd();
    void OnProgress(quint64 current, quint64 total);
    void OnMsg(const char* message);
    void OnError(const char* message);
    void OnLanguageChanged();

protected:
    void reject() override;

private:
    void StartJob(int index);
    void ShowProgress();

    struct Entry {
        QString source;
        int job; // index into m_jobs, or -1 for an MP4 used as it is
    };
    std::vector<Entry> m_entries;
    std::vector<std::unique_ptr<CConverterVideo>> m_jobs;
    QStringList m_finished;
    QStringList m_failures;
    int m_jobIndex = -1;
    quint64 m_current = 0;
    quint64 m_total = 0;
    bool m_ending = false;
    bool m_asking = false;
    bool m_nextPending = false;
    QElapsedTimer m_jobClock;
    ConverterVideoAdapter* m_adapter;
    QLabel* m_labelTitle;
    QLabel* m_labelText;
    QLabel* m_labelTime;
    QImageProgressBar* m_progressBar;
    QPushButton* m_btnCancel;
};
