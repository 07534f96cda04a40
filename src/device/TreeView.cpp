#include "TreeView.h"

#include <QHeaderView>

TreeView::TreeView(QWidget* parent)
    : QTreeView(parent) {
    header()->hide();
    setMouseTracking(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setIndentation(16);
    setAnimated(false);
    setStyleSheet(QStringLiteral("QTreeView{background-color:rgb(216,243,249);}"));
}
