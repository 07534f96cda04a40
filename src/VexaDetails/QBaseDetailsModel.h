#pragma once

#include <QAbstractItemModel>
#include <QStringList>
#include <list>
#include <vector>

class IBaseChunk;

// Flat table over a view's record list; column 0 carries the check mark. Categories add the display
// text of their columns. The list is not owned.
class QBaseDetailsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit QBaseDetailsModel(QObject* parent = nullptr);

    void SetChunkList(std::list<IBaseChunk*>* list);
    std::list<IBaseChunk*>* ChunkList() const { return m_list; }
    void SetHeaderLabels(const QStringList& labels);
    const QStringList& HeaderLabels() const { return m_labels; }
    // Call when the list changed behind the model's back (a load ended, records were removed).
    void Reset();

    IBaseChunk* ChunkAt(int row) const;
    // Rows may be dragged (by a view that drags its records out).
    void SetDragEnabled(bool enabled) { m_dragEnabled = enabled; }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // A record's mark changed from the table (the name is part of the views' interface).
    void itemCehckChange(bool checked);

protected:
    // Puts the rows in the order the model shows them, on every rebuild and on Reorder(); the list's
    // order by default.
    virtual void OrderRows(std::vector<IBaseChunk*>& /*rows*/) {}
    // Orders the rows anew; selections and other kept indexes follow their records.
    void Reorder();

private:
    void RebuildRows();

    std::list<IBaseChunk*>* m_list = nullptr;
    QStringList m_labels;
    bool m_dragEnabled = false;
    // Random access into the list for index(); rebuilt on every reset.
    std::vector<IBaseChunk*> m_rows;
};
