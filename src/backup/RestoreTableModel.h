#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "CBackupRecord.h"

// The backups of the restore window and of the device choice: Name, Date Time, Size, Type,
// SerialNumber and Path, one row per record in list order. Name and Path also answer as tooltips.
class RestoreTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, DateTime, Size, Type, SerialNumber, Path, ColumnCount };

    explicit RestoreTableModel(QObject* parent = nullptr);

    void SetRecords(const QList<CBackupRecord>& records);
    const QList<CBackupRecord>& Records() const { return m_records; }
    const CBackupRecord* Record(int row) const;

    // "%.2fGB" above 1 GiB, "%.2fMB" above 1 MiB, "%.2fKB" above 1 KiB, else "%.2fB".
    static QString SizeText(quint64 bytes);
    static QString HeaderText(int column);
    // The widths the tables of backups give the columns, the last one stretching.
    static constexpr int kColumnWidths[ColumnCount] = {150, 145, 80, 80, 125, 200};

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

public slots:
    void OnLanguageChanged();

private:
    QList<CBackupRecord> m_records;
};
