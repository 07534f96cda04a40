#pragma once

#include <QAbstractTableModel>

#include "CFileTypeIcons.h"

class CDeviceFileItem;

// The contents of one device folder: "Name", "Size", "Type", "Create Time". Editing a name renames the
// entry on the device; a name the device cannot take is refused with renameRefused().
class QSystemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColumnName, ColumnSize, ColumnType, ColumnCreateTime, ColumnCount };

    explicit QSystemModel(QObject* parent = nullptr);

    // Shows the children of `folder` (not owned), reading them when not read yet; null empties it.
    void SetFolder(CDeviceFileItem* folder);
    CDeviceFileItem* Folder() const { return m_folder; }
    CDeviceFileItem* ItemAt(int row) const;
    // The name of a row as shown; kept as text so that sorting and searching convert nothing.
    const QString& NameAt(int row) const { return m_names[row]; }
    int RowOf(const CDeviceFileItem* item) const;
    // Call around changes of the folder's children made outside the model.
    void BeginChange() { beginResetModel(); }
    void EndChange();
    void Retranslate();

    // "1.00 KB" and the like; exactly 1024 bytes is still "1024 B".
    static QString SizeText(int64_t bytes);
    // Seconds since 1970 as "yyyy-M-d h:m:s" in local time.
    static QString TimeText(int64_t seconds);
    // Why `name` cannot become the name of `item`, or an empty text when it can.
    static QString NameProblem(const CDeviceFileItem* item, const QString& name);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void renameRefused(const QString& message);
    void readFailed(const QString& path, int result);

private:
    void CacheNames();

    CDeviceFileItem* m_folder = nullptr;
    QList<QString> m_names;
    mutable CFileTypeIcons m_icons;
};
