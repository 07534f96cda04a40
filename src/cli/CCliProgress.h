#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include "CProgressEstimate.h"

// The progress bar of long work on standard error: the share done, the rate and the time left. It is
// drawn only when standard error is a terminal; a script that reads the output sees the result alone.
class CCliProgress {
    Q_DECLARE_TR_FUNCTIONS(CCliProgress)
public:
    explicit CCliProgress(const QString& label);
    ~CCliProgress();

    static bool StandardErrorIsTerminal();

    // Redrawn at most ten times a second, and always at the end.
    void Update(qint64 done, qint64 total, qint64 bytesDone, qint64 bytesTotal);
    // Clears the bar, so the result line stands alone.
    void Finish();

    // One line of the bar for a terminal `width` columns wide; no line end.
    static QString Bar(const QString& label, qint64 done, qint64 total, const QString& rate,
                       const QString& remaining, int width);

private:
    QString m_label;
    bool m_shown;
    bool m_drawn = false;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceDrawn;
    CProgressEstimate m_estimate;
};
