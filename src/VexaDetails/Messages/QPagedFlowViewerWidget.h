#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "QFlowWidget.h"

class CAttachmentFiles;
class QCheckBox;
class QFlowViewerWidget;
class QFlowWidget;
class QImageButton;
class QLabel;
class QLineEdit;
class QScrollArea;

// The messages of one conversation, twenty bubbles to a page, with previous / next / go-to-page
// buttons, the page label ("1/3") and a check box that checks or unchecks the bubbles of the page.
// Items are kept in one list; widgets exist only for the page on show.
class QPagedFlowViewerWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageSize = 20;

    struct Item {
        QString text;
        QString dateTime;
        bool incoming = true;
        const void* data = nullptr; // the caller's record of the message; not owned
        bool checked = false;
        QList<FlowAttachment> attachments{};
    };

    explicit QPagedFlowViewerWidget(QWidget* parent = nullptr);

    // Where the bubbles get their thumbnails and open their files; may be null.
    void SetAttachmentFiles(CAttachmentFiles* files);
    // Empties the list and the page.
    void Clear();
    // Appends an item; it gets a widget at once when it falls on the page on show.
    void AddItem(const QString& text, const QString& dateTime, bool incoming, const void* data);
    // Replaces the list in one go and shows its first page.
    void SetItems(QList<Item> items);

    int ItemCount() const { return int(m_items.size()); }
    const Item& ItemAt(int index) const { return m_items.at(index); }
    int PageCount() const;
    // 0-based.
    int CurrentPage() const { return m_page; }
    void ShowPage(int page);
    // The bubbles of the page on show, in item order.
    QList<QFlowWidget*> PageWidgets() const;
    QString PageLabel() const;

    QCheckBox* PageCheck() const { return m_check; }
    QLineEdit* PageEdit() const { return m_edit; }

signals:
    void checkItemChange(int index, bool checked);

public slots:
    void OnCheckItemChange(int index, bool checked);
    void OnClickBtnPrev();
    void OnClickBtnNext();
    void OnClickBtnGo();
    void OnClickCheck();
    void OnLanguageChanged();

private:
    void LoadImages();
    void RebuildPage();
    QFlowWidget* MakeWidget(int index);
    void UpdatePageControls();
    void UpdatePageCheck();
    int FirstOnPage() const { return m_page * kPageSize; }

    QScrollArea* m_scrollArea;
    QFlowViewerWidget* m_flowView;
    QCheckBox* m_check;
    QImageButton* m_btnPrev;
    QImageButton* m_btnNext;
    QImageButton* m_btnGo;
    QLabel* m_label;
    QLineEdit* m_edit;
    QList<Item> m_items;
    QPointer<CAttachmentFiles> m_files;
    int m_page = 0;
};
