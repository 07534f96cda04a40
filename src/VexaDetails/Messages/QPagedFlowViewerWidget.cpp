#include "QPagedFlowViewerWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "CAttachmentFiles.h"
#include "LanguageService.h"
#include "QFlowViewerWidget.h"
#include "QFlowWidget.h"
#include "QImageButton.h"
#include "QMessageDlg.h"

namespace {

const char* const kIndexProperty = "flowItemIndex";

} // namespace

QPagedFlowViewerWidget::QPagedFlowViewerWidget(QWidget* parent)
    : QWidget(parent)
    , m_scrollArea(new QScrollArea(this))
    , m_flowView(new QFlowViewerWidget)
    , m_check(new QCheckBox(this))
    , m_btnPrev(new QImageButton(this))
    , m_btnNext(new QImageButton(this))
    , m_btnGo(new QImageButton(this))
    , m_label(new QLabel(this))
    , m_edit(new QLineEdit(this)) {
    m_scrollArea->setObjectName(QStringLiteral("m_scrollArea"));
    m_flowView->setObjectName(QStringLiteral("m_flowView"));
    m_check->setObjectName(QStringLiteral("m_check"));
    m_btnPrev->setObjectName(QStringLiteral("m_btnPrev"));
    m_btnNext->setObjectName(QStringLiteral("m_btnNext"));
    m_btnGo->setObjectName(QStringLiteral("m_btnGo"));
    m_label->setObjectName(QStringLiteral("m_label"));
    m_edit->setObjectName(QStringLiteral("m_edit"));

    // A palette, not a style sheet: every bubble of every page would otherwise be matched against it.
    QPalette white = m_scrollArea->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_scrollArea->setPalette(white);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidget(m_flowView);

    m_edit->setFixedWidth(44);
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setValidator(new QIntValidator(1, 999999, m_edit));
    m_label->setMinimumWidth(48);
    m_label->setAlignment(Qt::AlignCenter);
    for (QWidget* button : {static_cast<QWidget*>(m_btnPrev), static_cast<QWidget*>(m_btnNext),
                            static_cast<QWidget*>(m_btnGo), static_cast<QWidget*>(m_check)})
        button->setCursor(Qt::PointingHandCursor);

    auto* pager = new QHBoxLayout;
    pager->setContentsMargins(10, 4, 10, 4);
    pager->setSpacing(6);
    pager->addWidget(m_check);
    pager->addStretch(1);
    pager->addWidget(m_btnPrev);
    pager->addWidget(m_label);
    pager->addWidget(m_btnNext);
    pager->addSpacing(8);
    pager->addWidget(m_edit);
    pager->addWidget(m_btnGo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_scrollArea, 1);
    layout->addLayout(pager);

    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);

    connect(m_btnPrev, &QImageButton::clicked, this, &QPagedFlowViewerWidget::OnClickBtnPrev);
    connect(m_btnNext, &QImageButton::clicked, this, &QPagedFlowViewerWidget::OnClickBtnNext);
    connect(m_btnGo, &QImageButton::clicked, this, &QPagedFlowViewerWidget::OnClickBtnGo);
    connect(m_edit, &QLineEdit::returnPressed, this, &QPagedFlowViewerWidget::OnClickBtnGo);
    connect(m_check, &QCheckBox::clicked, this, &QPagedFlowViewerWidget::OnClickCheck);
    OnLanguageChanged();
    UpdatePageControls();
    // A missing image is reported in a modal message; opened from the constructor, it would run the
    // device's events while the view is being built.
    QTimer::singleShot(0, this, &QPagedFlowViewerWidget::LoadImages);
}

void QPagedFlowViewerWidget::LoadImages() {
    const QString root = ResourceRoot();
    bool found = m_btnPrev->SetImages(root + QStringLiteral("/image/flow/left_btn.png"));
    found = m_btnNext->SetImages(root + QStringLiteral("/image/flow/right_btn.png")) && found;
    found = m_btnGo->SetImages(root + QStringLiteral("/image/flow/GO_btn.png")) && found;
    if (!found)
        ShowMessage(tr("QPagedFlowViewerWidget::LoadImages can't find image, please re-install software"));
}

void QPagedFlowViewerWidget::OnLanguageChanged() {
    m_check->setText(tr("Select this page"));
    if (m_btnGo->HasImages())
        LoadImages();
}

int QPagedFlowViewerWidget::PageCount() const {
    return int((m_items.size() + kPageSize - 1) / kPageSize);
}

QString QPagedFlowViewerWidget::PageLabel() const {
    return m_label->text();
}

void QPagedFlowViewerWidget::Clear() {
    m_flowView->Clear();
    m_items.clear();
    m_page = 0;
    UpdatePageControls();
}

void QPagedFlowViewerWidget::AddItem(const QString& text, const QString& dateTime, bool incoming,
                                     const void* data) {
    m_items.append({text, dateTime, incoming, data, false});
    const int index = int(m_items.size()) - 1;
    if (index / kPageSize == m_page && m_flowView->Count() < kPageSize)
        m_flowView->AddFlowWidget(MakeWidget(index));
    UpdatePageControls();
}

void QPagedFlowViewerWidget::SetItems(QList<Item> items) {
    m_items = std::move(items);
    m_page = 0;
    RebuildPage();
}

void QPagedFlowViewerWidget::ShowPage(int page) {
    // Clamped to the last page, then to the first.
    page = std::max(0, std::min(page, PageCount() - 1));
    if (page == m_page &&
        m_flowView->Count() == int(std::min<qsizetype>(kPageSize, m_items.size() - FirstOnPage()))) {
        UpdatePageControls();
        return;
    }
    m_page = page;
    RebuildPage();
}

void QPagedFlowViewerWidget::RebuildPage() {
    m_page = std::max(0, std::min(m_page, PageCount() - 1));
    m_flowView->setUpdatesEnabled(false);
    m_flowView->Clear();
    const int end = std::min(int(m_items.size()), FirstOnPage() + kPageSize);
    for (int index = FirstOnPage(); index < end; ++index)
        m_flowView->AddFlowWidget(MakeWidget(index));
    m_flowView->setUpdatesEnabled(true);
    m_scrollArea->verticalScrollBar()->setValue(0);
    UpdatePageControls();
}

void QPagedFlowViewerWidget::SetAttachmentFiles(CAttachmentFiles* files) {
    m_files = files;
}

QFlowWidget* QPagedFlowViewerWidget::MakeWidget(int index) {
    const Item& item = m_items.at(index);
    auto* widget = new QFlowWidget(item.text, item.dateTime, item.incoming);
    widget->setObjectName(QStringLiteral("QFlowWidget"));
    widget->setProperty(kIndexProperty, index);
    widget->SetChecked(item.checked);
    if (!item.attachments.isEmpty()) {
        widget->SetAttachments(item.attachments, m_files);
        connect(widget, &QFlowWidget::attachmentOpened, this,
                [this](const QString& path, const QString& name) {
                    if (m_files)
                        m_files->Open(path, name);
                });
    }
    connect(widget, &QFlowWidget::checkChange, this, [this](bool checked, QFlowWidget* sender) {
        OnCheckItemChange(sender->property(kIndexProperty).toInt(), checked);
    });
    return widget;
}

QList<QFlowWidget*> QPagedFlowViewerWidget::PageWidgets() const {
    return m_flowView->FlowWidgets();
}

void QPagedFlowViewerWidget::UpdatePageControls() {
    const int pages = PageCount();
    const int shown = pages > 0 ? m_page + 1 : 0;
    m_label->setText(QString::asprintf("%d/%d", shown, pages));
    m_edit->setText(QString::asprintf("%d", shown));
    m_btnPrev->setEnabled(m_page > 0);
    m_btnNext->setEnabled(m_page + 1 < pages);
    m_btnGo->setEnabled(pages > 1);
    m_edit->setEnabled(pages > 1);
    UpdatePageCheck();
}

void QPagedFlowViewerWidget::UpdatePageCheck() {
    const int end = std::min(int(m_items.size()), FirstOnPage() + kPageSize);
    bool all = end > FirstOnPage();
    for (int index = FirstOnPage(); index < end && all; ++index)
        all = m_items.at(index).checked;
    m_check->setEnabled(end > FirstOnPage());
    m_check->setChecked(all);
}

void QPagedFlowViewerWidget::OnCheckItemChange(int index, bool checked) {
    if (index < 0 || index >= m_items.size() || m_items.at(index).checked == checked)
        return;
    m_items[index].checked = checked;
    UpdatePageCheck();
    emit checkItemChange(index, checked);
}

void QPagedFlowViewerWidget::OnClickCheck() {
    const bool checked = m_check->isChecked();
    // Only the page on show: the widgets' own signals mark their items.
    for (QFlowWidget* widget : m_flowView->FlowWidgets())
        widget->SetChecked(checked);
    UpdatePageCheck();
}

void QPagedFlowViewerWidget::OnClickBtnPrev() {
    ShowPage(m_page - 1);
}

void QPagedFlowViewerWidget::OnClickBtnNext() {
    ShowPage(m_page + 1);
}

void QPagedFlowViewerWidget::OnClickBtnGo() {
    bool ok = false;
    const int typed = m_edit->text().trimmed().toInt(&ok);
    if (!ok) {
        UpdatePageControls();
        return;
    }
    ShowPage(typed - 1);
    // A number past the end shows the last page; the edit says which.
    UpdatePageControls();
}
