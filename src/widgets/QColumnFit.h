#pragma once

#include <QObject>
#include <vector>

class QTableView;

// Keeps a table's leading columns at their preferred widths while they fit the table's viewport and
// narrows them in proportion when they don't, so that the stretched last column keeps room of its own
// instead of ending behind the scroll bar. Owned by the table.
class QColumnFit : public QObject {
    Q_OBJECT
public:
    // `widths` are the preferred widths of columns 0, 1, ...; the columns after them keep at least
    // `restWidth` pixels between them.
    static QColumnFit* Install(QTableView* table, std::vector<int> widths, int restWidth = 90);

    void Fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColumnFit(QTableView* table, std::vector<int> widths, int restWidth);

    QTableView* m_table;
    std::vector<int> m_widths;
    int m_restWidth;
};
