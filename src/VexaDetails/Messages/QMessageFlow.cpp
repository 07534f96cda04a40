#include "QMessageFlow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QTableView>

#include "CMessageChunk.h"
#include "FormatSize.h"
#include "IBaseChunk.h"
#include "QPagedFlowViewerWidget.h"

namespace {

constexpr int kColumnWidths[] = {120, 130, 50};
constexpr int kTableWidth = 320;

// The record behind a row of the table, whichever proxies lie between.
IBaseChunk* ChunkOf(QModelIndex index) {
    while (index.isValid()) {
        const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(index.model());
        if (!proxy)
            return static_cast<IBaseChunk*>(index.internalPointer());
        index = proxy->mapToSource(index);
    }
    return nullptr;
}

} // namespace

QMessageFlow::QMessageFlow(QWidget* parent)
    : QWidget(parent)
    , m_pagedFlow(new QPagedFlowViewerWidget(this)) {
    setObjectName(QStringLiteral("QMessageFlow"));
    m_pagedFlow->setObjectName(QStringLiteral("m_pagedFlow"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pagedFlow, 1);
}

void QMessageFlow::SetTable(QTableView* table) {
    m_tableView = table;
    if (!table)
        return;
    table->setObjectName(QStringLiteral("m_tableView"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    // Device order (the device keeps its conversations in its own order) until a header is clicked.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    table->setFixedWidth(kTableWidth);
    for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
        table->setColumnWidth(column, kColumnWidths[column]);
    static_cast<QHBoxLayout*>(layout())->insertWidget(0, table);
    table->show();
    connect(table, &QTableView::clicked, this, &QMessageFlow::itemSelChange);
    // The keyboard moves the selection too.
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { itemSelChange(current); });
}

void QMessageFlow::Clear() {
    m_current = nullptr;
    m_pagedFlow->Clear();
}

void QMessageFlow::SelectFirstRow() {
    if (!m_tableView || !m_tableView->model())
        return;
    for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
        m_tableView->setColumnWidth(column, kColumnWidths[column]);
    const QModelIndex first = m_tableView->model()->index(0, 0);
    if (!first.isValid()) {
        Clear();
        return;
    }
    m_tableView->setCurrentIndex(first);
    m_tableView->selectRow(0);
    m_tableView->scrollToTop();
    itemSelChange(first);
}

void QMessageFlow::itemSelChange(const QModelIndex& index) {
    auto* conversation = static_cast<CMessageChunk*>(ChunkOf(index));
    if (!conversation || conversation == m_current)
        return;
    ShowConversation(conversation);
    emit sendChangeView(index);
}

void QMessageFlow::ShowConversation(CMessageChunk* conversation) {
    m_current = conversation;
    if (!conversation) {
        m_pagedFlow->Clear();
        return;
    }
    QList<QPagedFlowViewerWidget::Item> items;
    items.reserve(qsizetype(conversation->messages.size()));
    for (const CMessageChunk::Entry& entry : conversation->messages) {
        QList<FlowAttachment> attachments;
        for (const CMessageChunk::Attachment& attachment : entry.attachments)
            attachments.append({QString::fromStdString(attachment.name),
                                FormatSize(uint64_t(std::max<int64_t>(0, attachment.size))),
                                QString::fromStdString(attachment.path), attachment.IsImage()});
        items.append({QString::fromStdString(entry.text), QString::fromStdString(entry.dateTime),
                      conversation->IsIncoming(entry), &entry, false, std::move(attachments)});
    }
    m_pagedFlow->SetItems(std::move(items));
}
