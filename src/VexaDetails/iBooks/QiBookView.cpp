#include "QiBookView.h"

#include <algorithm>
#include <memory>

#include <QAction>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTimer>

#include <vexa/COwnManager.h>
#include <vexa/IVexaManager.h>
#include <vexa/vexa.h>

#include "CActionStrategyDlg.h"
#include "CDroppedFiles.h"
#include "CModalGuard.h"
#include "CPhotoSerialThread.h"
#include "CReadOnlyPage.h"
#include "CUrlDrop.h"
#include "CiBookChunk.h"
#include "LanguageService.h"
#include "QAddBookAction.h"
#include "QAddDataWidget.h"
#include "QColumnFit.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QProgressDlg.h"
#include "QiBooksModel.h"
#include "QiTunesExport.h"
#include "WidgetColors.h"

QiBookView::QiBookView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_model(new QiBooksModel(this)) {
    setObjectName(QStringLiteral("QiBookView"));
    SetCategoryName("iBooks");
    setAcceptDrops(true);
    QTableView* table = CreateTableView(m_model);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setWordWrap(false);
    table->sortByColumn(QiBooksModel::NameColumn, Qt::AscendingOrder);
    // Name, author, genre, rating and format; the size column takes the rest.
    m_columnFit = QColumnFit::Install(table, {150, 150, 110, 95, 95});
    clickList();

    m_menu = new QMenu(this);
    m_menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    m_actionToComputer = m_menu->addAction(QString(), this, &QiBookView::OnToComputerFile);
    m_actionToiTunes = m_menu->addAction(QString(), this, &QiBookView::OnToiTunes);

    QOperatePanel* panel = OperatePanel();
    connect(panel, &QOperatePanel::addOperate, this, &QiBookView::OnAddBtn);
    connect(panel, &QOperatePanel::deleteOperate, this, &QiBookView::OnRemoveBtn);
    connect(panel, &QOperatePanel::refreshOperate, this, &QiBookView::clickRefresh);
    connect(AddWidget(), &QAddDataWidget::clickAdd, this, &QiBookView::OnAddBtn);
    connect(table, &QTableView::customContextMenuRequested, this, &QiBookView::OnRightClicked);
    connect(table, &QTableView::clicked, this, &QiBookView::ClickTableView);
    connect(SortModel(), &QMySortModel::modelReset, m_columnFit, &QColumnFit::Fit);
    // The loader reports the end of a load; the base view's own loading thread is not used.
    disconnect(this, &QBaseDetailsView::loadFinished, this, nullptr);
    m_readOnly = new CReadOnlyPage(this, ReadOnlyNotice::Books,
                                   [this] { return CReadOnlyPage::BookState(Manager()); });
    RetranslateUi();
    // A missing picture opens a modal message, which must not run while the view is being built.
    QTimer::singleShot(0, this, &QiBookView::InitEmptyPanel);
}

QiBookView::~QiBookView() {
    StopAndWait();
}

QString QiBookView::Caption() const {
    return tr("iBooks");
}

void QiBookView::InitEmptyPanel() {
    const QString root = ResourceRoot();
    AddWidget()->setLabelImage(root + QStringLiteral("/image/details/Add-Book_bg.png"));
    AddWidget()->setAddButtonImage(root + QStringLiteral("/image/details/Add Book_btn.png"));
}

// ---------------------------------------------------------------------------------------------------
// Loading

void QiBookView::OnLoadStarting() {
    ++m_loadsPending;
    m_clickedBook = nullptr;
    // The worker deletes and rebuilds the records; the table must not paint them meanwhile.
    m_model->SetChunkList(nullptr);
}

void QiBookView::OnAnalysisEnd() {
    if (m_loadsPending > 0)
        --m_loadsPending;
    // An older load's end while a newer one runs: the list is still being rebuilt.
    if (m_loadsPending > 0)
        return;
    if (m_model->ChunkList() != ChunkList())
        m_model->SetChunkList(ChunkList());
    QBaseDetailsView::OnAnalysisEnd();
    m_readOnly->Update();
}

void QiBookView::ShowBookCount(int count, bool listed) {
    if (m_loadsPending > 0)
        return;
    ShowLoadResult(count);
    // The device does not say which file it refused; the reload after an add shows how many.
    const int missing = listed && m_expectedAfterAdd >= 0 ? m_expectedAfterAdd - count : 0;
    m_expectedAfterAdd = -1;
    if (missing > 0) {
        // Not from within the tree's report: the message's event loop may take the device away.
        QTimer::singleShot(0, this, [missing] {
            ShowMessage(tr("%1 book(s) could not be added to the device.").arg(missing), QString(),
                        MSG_ERROR);
        });
    }
}

void QiBookView::EmitRefresh() {
    emit repainTree(DeviceHandle(), RecordCount(), SUB_ITEM_IBOOKS);
}

void QiBookView::OnSearchString(const QString& text) {
    QBaseDetailsView::OnSearchString(text);
}

// ---------------------------------------------------------------------------------------------------
// Rows and the context menu

CiBookChunk* QiBookView::BookAtRow(const QModelIndex& viewIndex) const {
    if (!viewIndex.isValid())
        return nullptr;
    return static_cast<CiBookChunk*>(m_model->ChunkAt(SortModel()->mapToSource(viewIndex).row()));
}

void QiBookView::ClickTableView(const QModelIndex& index) {
    m_clickedBook = BookAtRow(index);
}

void QiBookView::RefreshChecks() {
    SyncHeaderCheck();
    if (m_model->rowCount() > 0)
        emit m_model->dataChanged(m_model->index(0, 0), m_model->index(m_model->rowCount() - 1, 0),
                                  {Qt::CheckStateRole});
}

void QiBookView::CheckOnly(CiBookChunk* book) {
    if (!book || !ChunkList())
        return;
    for (IBaseChunk* chunk : *ChunkList())
        chunk->SetChecked(chunk == book);
    RefreshChecks();
}

QMenu* QiBookView::PrepareContextMenu(const QPoint& pos) {
    // Below the last row the menu works on the row clicked last.
    CiBookChunk* book = IsLoading() ? nullptr : BookAtRow(TableView()->indexAt(pos));
    if (!book && !IsLoading())
        book = m_clickedBook;
    if (book)
        m_clickedBook = book;
    // Without any marks the copy works on the row under the pointer.
    if (book && !HasCheckedChunk())
        CheckOnly(book);
    const bool any = !IsLoading() && HasCheckedChunk();
    m_actionToComputer->setEnabled(any);
    m_actionToiTunes->setEnabled(any);
    return m_menu;
}

void QiBookView::OnRightClicked(const QPoint& pos) {
    QMenu* menu = PrepareContextMenu(pos);
    menu->popup(TableView()->viewport()->mapToGlobal(pos));
}

// ---------------------------------------------------------------------------------------------------
// Adding

void QiBookView::OnAddBtn() {
    if (IsLoading())
        return;
    const CModalGuard guard(this);
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Import File"), QString(),
                                                            tr("PDF Files(*.pdf);; EPUB Files(*.epub)"));
    if (guard.Gone() || files.isEmpty())
        return;
    AddFiles(files);
}

void QiBookView::AddFiles(const QStringList& files) {
    if (files.isEmpty() || IsLoading())
        return;
    const CModalGuard guard(this);
    const int deviceHandle = DeviceHandle();
    emit repainTree(deviceHandle, 1, SUB_ITEM_IBOOKS);
    QStringList list = files;
    // A removal of the device during the progress dialog releases the page's manager while a file may
    // still be on its way: the add job works through a manager of its own.
    const COwnManager own = OwnManagerFor(Manager());
    {
        // Not a child of this view: a removal of the device during exec() deletes the view, and the
        // dialog must live until the job has stopped reporting to it.
        QProgressDlg dialog(tr("Add"), window() != this ? window() : nullptr);
        QAddBookAction action;
        action.SetBookService(own ? own->GetBookService() : nullptr);
        action.SetFileList(&list);
        action.Attach(&dialog);
        if (m_addObserver)
            action.Attach(m_addObserver);
        dialog.SetProxy(&action);
        dialog.exec();
        // The action goes first and waits for its thread; then the dialog.
    }
    if (guard.Gone() || IsLoading())
        return;
    m_expectedAfterAdd = GetChunkCount();
    // Shown at once; the reload below replaces them with what the device really kept.
    if (std::list<IBaseChunk*>* records = ChunkList()) {
        for (const QString& path : std::as_const(list)) {
            const QFileInfo file(path);
            if (!file.exists())
                continue;
            auto* book = new CiBookChunk(Manager());
            book->SetName(file.baseName().toStdString());
            book->format = file.suffix().toLower() == QLatin1String("pdf") ? CiBookChunk::FormatPdf
                                                                           : CiBookChunk::FormatEpub;
            records->push_back(book);
            ++m_expectedAfterAdd;
        }
        m_model->Reset();
    }
    emit clickRefresh();
    emit repainTree(deviceHandle, 0, SUB_ITEM_IBOOKS);
}

void QiBookView::dragEnterEvent(QDragEnterEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QiBookView::dragMoveEvent(QDragMoveEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QiBookView::dropEvent(QDropEvent* event) {
    CDroppedFiles::Take(event, this, {QStringLiteral("pdf"), QStringLiteral("epub")},
                        [this](const QStringList& files) { AddFiles(files); });
}

// ---------------------------------------------------------------------------------------------------
// Deleting

void QiBookView::OnRemoveBtn() {
    if (IsLoading())
        return;
    if (!HasCheckedChunk()) {
        ShowMessage(tr("Please choose any of items to delete!"), QString(), MSG_WARNING);
        return;
    }
    const CModalGuard guard(this);
    if (ShowMessage(tr("Are you sure to delete the selected item(s)?"), QString(), MSG_WARNING | MSG_YESNO) !=
            MSG_RESULT_YES ||
        guard.Gone() || IsLoading())
        return;
    m_clickedBook = nullptr;
    std::list<IBaseChunk*>* records = ChunkList();
    // The worker destroys deleted records; the table must not paint them meanwhile.
    m_model->SetChunkList(nullptr);
    CActionStrategyDlg::DeleteRecords(records, this);
    if (guard.Gone())
        return;
    m_model->SetChunkList(records);
    QBaseDetailsView::OnAnalysisEnd();
    const bool kept = std::any_of(records->begin(), records->end(),
                                  [](const IBaseChunk* chunk) { return chunk->IsChecked(); });
    if (kept) {
        ShowMessage(tr("Some books could not be deleted from the device!"), QString(), MSG_ERROR);
        if (guard.Gone())
            return;
    }
    // The reload gives the tree its new count and shows what the device really holds.
    emit clickRefresh();
}

// ---------------------------------------------------------------------------------------------------
// Copies to the computer

void QiBookView::OnToComputerFile() {
    if (IsLoading())
        return;
    QFileFolderExport::RunChecked(this, this, Manager(), kExportBooks, HasCheckedChunk());
}

void QiBookView::OnToiTunes() {
    if (IsLoading())
        return;
    if (!HasCheckedChunk()) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    // Every iTunes media folder gets the books; without one the user is told.
    QiTunesExport::Run(this, this, Manager(), kExportBooks, m_musicFolder);
}

// ---------------------------------------------------------------------------------------------------

void QiBookView::OnLanguageChanged() {
    OnLanguangeChanged();
}

void QiBookView::OnLanguangeChanged() {
    RetranslateUi();
    InitEmptyPanel();
}

void QiBookView::RetranslateUi() {
    QBaseDetailsView::OnLanguageChanged();
    m_model->Retranslate();
    m_actionToComputer->setText(tr("To Computer"));
    m_actionToiTunes->setText(tr("To iTunes"));
}
