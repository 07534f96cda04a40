#include "CBackupTableLook.h"

#include <QHeaderView>
#include <QTableView>

#include "RestoreTableModel.h"

void CBackupTableLook::Apply(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < RestoreTableModel::ColumnCount; ++column)
        view->setColumnWidth(column, RestoreTableModel::kColumnWidths[column]);
    // Word wrap would break a path at its spaces into a second line the row has no room for.
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideMiddle);
}
