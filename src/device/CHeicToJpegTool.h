#pragma once

#include <atomic>

#include <QCoreApplication>
#include <QStringList>

#include "IDlgProxyProcess.h"
#include "QBaseAction.h"
#include "QUtilThread.h"

class QWidget;

// The "HEIC to JPEG" tile of the tools window: HEIC pictures chosen one by one, or every one in a folder
// and below it, written as JPEG into a folder the user picks, with the EXIF kept, the orientation set
// to 1 and the pixels turned as it said. A picture that cannot be read is skipped and counted.
class CHeicToJpegTool {
    Q_DECLARE_TR_FUNCTIONS(CHeicToJpegTool)

public:
    static void Run(QWidget* parent);

    // The HEIC pictures among `paths`: files as named, folders searched below; sorted, each once.
    static QStringList Pictures(const QStringList& paths);
    // Where each picture goes in `folder`: its name with .jpg, numbered (" (2)") when the name is
    // taken by a file there or by an earlier picture.
    static QStringList Targets(const QStringList& pictures, const QString& folder);
    // Converts with the progress dialog; answers how many were written, or -1 when cancelled before
    // any. `skipped` receives the names of those that could not be read or written.
    static int Convert(const QStringList& pictures, const QString& folder, QWidget* parent,
                       QStringList* skipped);
    // The message at the end: how many were written where, and how many were skipped.
    static QString Summary(int converted, int skipped, const QString& folder);
};

// The job behind the progress dialog: the pictures converted several at once, the count reported.
class QHeicConvertAction : public QBaseAction, public IDlgProxyProcess, public QUtilThread {
    Q_OBJECT
public:
    QHeicConvertAction(QStringList pictures, QStringList targets, QObject* parent = nullptr);
    ~QHeicConvertAction() override;

    bool StartProcess() override { return Start(); }
    bool OnCancel() override;
    // Stops the job at its next picture and waits for its thread, which reports to the observers until it
    // ends.
    void Finish();
    // After the job: the pictures written, and those that could not be.
    int Converted() const { return m_converted; }
    const QStringList& Failed() const { return m_failed; }

protected:
    void Run() override;

private:
    const QStringList m_pictures;
    const QStringList m_targets;
    std::atomic<bool> m_cancel{false};
    int m_converted = 0;
    QStringList m_failed;
};
