#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One backup the program made, as "backuplog.xml" keeps it.
struct CBackupLogEntry {
    QString filepath;
    QString greateDate;
    QString name;
    QString backupSize;
    QString deviceClass;
    QString serialNumber;
};

// The log of backups made: <backup> with one <TZ{serial}> element per backup holding filepath,
// greateDate, Name, BackupSize, DeviceClass and SerialNumber, in that order.
class CBackupLog {
public:
    explicit CBackupLog(QString path);

    // "$XDG_DATA_HOME/vexa-transfer/backuplog.xml".
    static QString DefaultPath();
    // Year-month-day hour:minute:second without leading zeros: "2026-3-7 9:5:0".
    static QString TimeText(const QDateTime& time);

    // Adds an entry after the existing ones. An empty file starts a new log; a file that is not XML is
    // kept beside as "backuplog.xml.damaged" and a new log started. False when the file can't be written.
    bool Append(const CBackupLogEntry& entry) const;
    // The entries in the order they were made; empty for a missing or unreadable log.
    QList<CBackupLogEntry> Entries() const;

private:
    QString m_path;
};
