#include "TreeView.h"

#include <QHeaderView>
#include <QLabel>
#include <QMovie>

#include "LanguageService.h"

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

void TreeView::SetWaiting(const QModelIndex& index, bool waiting) {
    if (!index.isValid())
        return;
    if (!waiting) {
        setIndexWidget(index, nullptr);
        return;
    }
    if (indexWidget(index))
        return;
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("m_waitLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setStyleSheet(QStringLiteral("QLabel{background:transparent;padding-right:6px;}"));
    auto* movie = new QMovie(ResourceRoot() + QStringLiteral("/image/details/wait.gif"), QByteArray(), label);
    label->setMovie(movie);
    movie->start();
    setIndexWidget(index, label);
}
