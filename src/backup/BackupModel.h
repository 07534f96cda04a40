#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "CBackupLog.h"

// The backups the program has made, as the log lists them, for the backup window: the same columns as
// the restore window.
class BackupModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BackupModel(QObject* parent = nullptr);

    void Load(const CBackupLog& log);
    const QList<CBackupLogEntry>& Entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<CBackupLogEntry> m_entries;
};
