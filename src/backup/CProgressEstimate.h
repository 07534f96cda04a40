#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

// Turns the bytes done so far into a remaining-time text, from the average rate since Start().
class CProgressEstimate {
    Q_DECLARE_TR_FUNCTIONS(CProgressEstimate)
public:
    void Start();
    // Empty until enough has happened to estimate (a second of work or a tenth of the bytes).
    QString RemainingText(qint64 done, qint64 total) const;
    static QString DurationText(qint64 seconds);

private:
    QElapsedTimer m_clock;
};
