#pragma once

#include <QModelIndex>
#include <QWidget>

class CMessageChunk;
class QPagedFlowViewerWidget;
class QTableView;

// The messages page's content: the conversation table on the left and, beside it, the messages of the
// selected conversation as bubbles, page by page.
class QMessageFlow : public QWidget {
    Q_OBJECT
public:
    explicit QMessageFlow(QWidget* parent = nullptr);

    // Takes the conversation table (made by the view over its model) into the left column and sets it
    // up: no editing, whole rows, one at a time, sortable, in device order until a header is clicked.
    void SetTable(QTableView* table);
    QTableView* Table() const { return m_tableView; }
    QPagedFlowViewerWidget* PagedFlow() const { return m_pagedFlow; }
    // The conversation on show, or null.
    CMessageChunk* CurrentConversation() const { return m_current; }

    // Forgets the conversation on show; call before its record goes.
    void Clear();
    // Selects the table's first row and shows its conversation (nothing when the table is empty).
    void SelectFirstRow();
    void ShowConversation(CMessageChunk* conversation);

signals:
    void sendChangeView(const QModelIndex& index);

public slots:
    void itemSelChange(const QModelIndex& index);

private:
    QTableView* m_tableView = nullptr;
    QPagedFlowViewerWidget* m_pagedFlow;
    CMessageChunk* m_current = nullptr;
};
