#include "QSystemBrowser.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>

#include "LanguageService.h"
#include "QColumnFit.h"
#include "QDragListView.h"
#include "QDragTableView.h"
#include "QDragTreeView.h"
#include "QSystemModel.h"
#include "QSystemfileTreeModel.h"

namespace {
QString WaitMovieFile() {
    return ResourceRoot() + QStringLiteral("/image/details/refresh.gif");
}
} // namespace

QSystemBrowser::QSystemBrowser(QSystemfileTreeModel* treeModel, QSortFilterProxyModel* contents,
                               QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("m_browser"));
    m_tree = new QDragTreeView(this);
    m_tree->setObjectName(QStringLiteral("m_treeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(265);
    m_tree->setDragEnabled(false);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setStyleSheet(QStringLiteral("QTreeView:item{selection-background-color: rgb(156,206,216);}"));
    m_tree->setModel(treeModel);

    m_table = new QDragTableView(this);
    m_table->setObjectName(QStringLiteral("m_tableView"));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(24);
    m_table->setShowGrid(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setStyleSheet(QStringLiteral("QTableView::item{selection-background-color:rgb(100,166,182)}"));
    m_table->setModel(contents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Name, size, type; the creation time takes the rest.
    QColumnFit::Install(m_table, {260, 100, 100}, 150);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(QSystemModel::ColumnName, Qt::AscendingOrder);

    m_list = new QDragListView(this);
    m_list->setObjectName(QStringLiteral("m_listView"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setGridSize(QSize(150, 70));
    m_list->setIconSize(QSize(32, 32));
    m_list->setMovement(QListView::Snap);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWrapping(true);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setModel(contents);
    m_list->setModelColumn(QSystemModel::ColumnName);

    m_content = new QStackedWidget(this);
    m_content->addWidget(m_table);
    m_content->addWidget(m_list);
    m_waitLabel = new QLabel(this);
    m_waitLabel->setObjectName(QStringLiteral("m_waitLabel"));
    m_waitLabel->setAlignment(Qt::AlignCenter);
    m_waitMovie = new QMovie(WaitMovieFile(), QByteArray(), this);
    m_waitLabel->setMovie(m_waitMovie);
    m_waitLabel->hide();
    m_containerBar = new QWidget(this);
    m_containerBar->setObjectName(QStringLiteral("m_containerBar"));
    m_containerLabel = new QLabel(m_containerBar);
    m_containerLabel->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-weight:bold;"));
    m_backButton = new QPushButton(m_containerBar);
    m_backButton->setObjectName(QStringLiteral("m_btnBackToDevice"));
    m_backButton->setCursor(Qt::PointingHandCursor);
    connect(m_backButton, &QPushButton::clicked, this, &QSystemBrowser::backToDevice);
    auto* bar = new QHBoxLayout(m_containerBar);
    bar->setContentsMargins(8, 4, 8, 4);
    bar->addWidget(m_containerLabel, 1);
    bar->addWidget(m_backButton);
    m_containerBar->hide();

    auto* views = new QHBoxLayout;
    views->setContentsMargins(0, 0, 0, 0);
    views->setSpacing(2);
    views->addWidget(m_tree);
    views->addWidget(m_content, 1);
    views->addWidget(m_waitLabel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_containerBar);
    layout->addLayout(views, 1);
    Retranslate();
}

void QSystemBrowser::ShowContainer(const QString& appId) {
    m_appId = appId;
    Retranslate();
    m_containerBar->setVisible(!appId.isEmpty());
}

void QSystemBrowser::Retranslate() {
    m_containerLabel->setText(tr("Documents of the app %1").arg(m_appId));
    m_backButton->setText(tr("Back to the device's files"));
}

QAbstractItemView* QSystemBrowser::VisibleContentView() const {
    return ShowsIcons() ? static_cast<QAbstractItemView*>(m_list) : static_cast<QAbstractItemView*>(m_table);
}

bool QSystemBrowser::ShowsIcons() const {
    return m_content->currentWidget() == m_list;
}

void QSystemBrowser::ShowIcons(bool icons) {
    m_content->setCurrentWidget(icons ? static_cast<QWidget*>(m_list) : static_cast<QWidget*>(m_table));
}

void QSystemBrowser::ShowWaiting(bool waiting) {
    m_tree->setVisible(!waiting);
    m_content->setVisible(!waiting);
    m_waitLabel->setVisible(waiting);
    if (waiting) {
        m_waitMovie->start();
    } else {
        m_waitMovie->stop();
    }
}

void QSystemBrowser::SetBusy(bool busy) {
    m_tree->setEnabled(!busy);
    m_table->setEnabled(!busy);
    m_list->setEnabled(!busy);
}

void QSystemBrowser::ReloadImages() {
    m_waitMovie->stop();
    m_waitMovie->setFileName(WaitMovieFile());
    if (m_waitLabel->isVisible()) {
        m_waitMovie->start();
    }
}
