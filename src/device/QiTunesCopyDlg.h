#pragma once

#include <atomic>
#include <mutex>

#include <QStringList>

#include "QWorkProgressDlg.h"

// Copies media files of the computer into every iTunes media folder behind a progress dialog. A name
// that is taken in a folder gets " (2)", " (3)", ... before its extension; nothing is overwritten.
class QiTunesCopyDlg : public QWorkProgressDlg {
    Q_OBJECT
public:
    QiTunesCopyDlg(const QStringList& files, const QStringList& folders, QWidget* parent = nullptr);
    ~QiTunesCopyDlg() override;

    // After exec(): the copies made, and the files that could not be copied into some folder.
    QStringList Copies() const { return m_copies; }
    QStringList Failures() const { return m_failures; }

    // The path in `folder` for a copy of `file` that takes no existing name.
    static QString FreeTarget(const QString& folder, const QString& file);

protected:
    void Work() override;
    void UpdateProgress() override;

private:
    const QStringList m_files;
    const QStringList m_folders;
    std::atomic<int> m_done{0};
    mutable std::mutex m_mutex; // guards the lists while the worker fills them
    QString m_currentName;
    QStringList m_copies;
    QStringList m_failures;
};
