#include "QContactsView.h"

#include <algorithm>

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QTableView>

#include <vexa/IVexaManager.h>

#include "AddContactsDlg.h"
#include "CActionStrategyDlg.h"
#include "CContactChunk.h"
#include "CContactRecords.h"
#include "CModalGuard.h"
#include "CReadOnlyPage.h"
#include "CSnapshotPage.h"
#include "LanguageService.h"
#include "NotSupportedMessage.h"
#include "QAddDataWidget.h"
#include "QContactStatusPanel.h"
#include "QContactsModel.h"
#include "QGroupNameDlg.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QRecordExportDialog.h"
#include "WidgetColors.h"

namespace {

constexpr int kColumnWidths[] = {150, 150, 130, 120};
// What a load reports when the device handed out no contacts service.
constexpr int kNoService = -1;
// The group choice of the editor that means "in no group".
const char* const kUngrouped = "Ungrouped";

} // namespace

QContactsView::LoadResult::~LoadResult() {
    qDeleteAll(chunks);
}

QContactsView::QContactsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_service(manager ? manager->GetContactService() : nullptr)
    , m_model(new QContactsModel(this)) {
    setObjectName(QStringLiteral("QContactsView"));
    SetCategoryName("Contacts");
    SetChunkList(&m_records);
    QTableView* table = CreateTableView(m_model);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long number lists stay on one line; the cell's tooltip shows them whole.
    table->setWordWrap(false);
    // The model keeps its rows in the order the header asks for, by the ranks the loader worked out:
    // sorting 20,000 names by their texts in the proxy would hold the window up on every load.
    SortModel()->SetSortHandler([this](int column, Qt::SortOrder order) { m_model->SortBy(column, order); });
    table->sortByColumn(QContactsModel::NameColumn, Qt::AscendingOrder);
    OnResetDoneModel();
    clickList();

    m_menu = new QMenu(this);
    m_menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    m_actionAdd = m_menu->addAction(QString(), this, &QContactsView::OnAddContact);
    m_actionDelete = m_menu->addAction(QString(), this, &QContactsView::OnDeleteSelectItem);
    m_actionExport = m_menu->addAction(QString(), this, &QContactsView::OnTransfer);

    QOperatePanel* panel = OperatePanel();
    connect(panel, &QOperatePanel::addOperate, this, &QContactsView::OnAddContact);
    connect(panel, &QOperatePanel::refreshOperate, this, &QContactsView::OnRefreshContacts);
    connect(panel, &QOperatePanel::deleteOperate, this, &QContactsView::OnDeleteItem);
    // The search box already reaches OnSearchString through the base view.
    connect(table, &QTableView::customContextMenuRequested, this, &QContactsView::OnRightClicked);
    connect(table, &QTableView::clicked, this, &QContactsView::ClickTableView);
    connect(SortModel(), &QMySortModel::modelReset, this, &QContactsView::OnResetDoneModel,
            Qt::DirectConnection);
    // loadFinished only announces the end of a load here; the view shows its records itself.
    disconnect(this, &QBaseDetailsView::loadFinished, this, nullptr);
    connect(this, &QContactsView::beginExecute, this, &QContactsView::OnbeginExecute);
    connect(this, &QContactsView::endExecute, this, &QContactsView::OnEndExecute);
    connect(this, &QContactsView::emitError, this, &QContactsView::OnError);
    connect(AddWidget(), &QAddDataWidget::clickAdd, this, &QContactsView::OnRefreshContacts);
    RetranslateUi();
    m_readOnly = new CReadOnlyPage(this, ReadOnlyNotice::Contacts,
                                   [this] { return CReadOnlyPage::StateOf(m_service); });
    m_snapshot = CSnapshotPage::Attach(this, ReadOnlyNotice::Contacts);
    m_readOnly->AddWriteAction(m_actionAdd);
    m_readOnly->AddWriteAction(m_actionDelete);
    // A missing picture is reported in a modal message; opened here, it would run device events
    // (a removal among them) while the view is still being built.
    QTimer::singleShot(0, this, &QContactsView::InitEmptyPanel);
}

QContactsView::~QContactsView() {
    StopAndWait();
    ClearActionCell();
    qDeleteAll(m_records);
    m_records.clear();
}

void QContactsView::InitEmptyPanel() {
    const QString root = ResourceRoot();
    AddWidget()->setLabelImage(root + QStringLiteral("/image/contact_bg.png"));
    AddWidget()->setAddButtonImage(root + QStringLiteral("/image/details/btn_refresh.png"));
}

QString QContactsView::Caption() const {
    return tr("Contacts");
}

bool QContactsView::RemoveChunk(int) {
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Loading

void QContactsView::OnRefreshContacts() {
    if (m_snapshot)
        m_snapshot->RequestRefresh();
    Start();
}

void QContactsView::Run() {
    // Freeing twenty thousand records takes the GUI thread a frame or more; it is done here instead.
    m_replaced.Take();
    emit beginExecute();
    ContactList* list = nullptr;
    const int prepared = m_snapshot ? m_snapshot->Prepare() : VEXA_OK;
    int code = prepared;
    if (prepared == VEXA_OK)
        code = m_service ? m_service->GetContacts(&list) : kNoService;
    auto result = std::make_unique<LoadResult>();
    if (code == 0 && list) {
        result->chunks = ContactRecords::BuildChunks(*list, Manager(), &result->groupNames);
        ContactRecords::RankChunks(result->chunks);
        result->ok = true;
    }
    // A load that is being replaced or torn down leaves no trace.
    if (IsStopRequested())
        return;
    m_pending.Put(std::move(result));
    if (code != 0 || !list)
        emit emitError(code);
    emit endExecute();
}

void QContactsView::OnbeginExecute() {
    OnAnalysisBegin();
}

void QContactsView::OnEndExecute() {
    std::unique_ptr<LoadResult> result = m_pending.Take();
    if (!result)
        return;
    ClearActionCell();
    ForgetActionContacts();
    // The old records go with the result object once the model no longer shows them.
    m_records.swap(result->chunks);
    m_groupNames = result->groupNames;
    // A group renamed here is shown under its new name; one deleted meanwhile gives way to everyone.
    if (!m_shownGroup.isEmpty())
        ShowGroup(m_groupNames.contains(m_shownGroup) ? m_shownGroup : QString());
    m_lastLoadListed = result->ok;
    ShowRecords();
    if (result->ok)
        emit emitRefreshContactsNode(DeviceHandle());
    emit loadFinished(GetChunkCount());
    m_replaced.Put(std::move(result));
}

void QContactsView::OnError(int code) {
    qDebug() << "QContactsView::OnError GetContacts answered" << code;
    if (m_snapshot && m_snapshot->HandleFailure(code))
        return;
    if (IsNotSupportedYet(code)) {
        ShowUnavailable();
        return;
    }
    ShowMessage(tr("Get Contact information failed!"), QString(), MSG_ERROR);
}

void QContactsView::ShowRecords() {
    // Every model reset sorts the whole table again; one is enough.
    if (m_model->ChunkList() != &m_records)
        SetChunkList(&m_records);
    OnAnalysisEnd();
    // Marks survive adds and edits; the check-all box follows them.
    SyncHeaderCheck();
}

void QContactsView::OnResetDoneModel() {
    QHeaderView* header = TableView() ? TableView()->horizontalHeader() : nullptr;
    if (!header || header->count() < int(std::size(kColumnWidths)))
        return;
    for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
        header->resizeSection(column, kColumnWidths[column]);
}

void QContactsView::ShowGroup(const QString& group) {
    ClearActionCell();
    m_shownGroup = group;
    if (group.isEmpty()) {
        SortModel()->SetRowFilter(nullptr);
        return;
    }
    const std::string name = group.toStdString();
    SortModel()->SetRowFilter([this, name](int sourceRow) {
        const auto* chunk = static_cast<const CContactChunk*>(m_model->ChunkAt(sourceRow));
        return chunk &&
               std::find(chunk->groupNames.begin(), chunk->groupNames.end(), name) != chunk->groupNames.end();
    });
}

void QContactsView::OnSearchString(const QString& text) {
    ClearActionCell();
    QBaseDetailsView::OnSearchString(text);
}

// ---------------------------------------------------------------------------------------------------
// Row actions

bool QContactsView::Contains(const CContactChunk* chunk) const {
    return chunk && std::find(m_records.begin(), m_records.end(), chunk) != m_records.end();
}

void QContactsView::ClearActionCell() {
    // The table keeps its index widgets in its own lists and lays them out later: a panel deleted
    // behind its back is shown again from freed memory. Removed through the table, it goes cleanly.
    if (m_statusPanel && m_statusIndex.isValid() && TableView() &&
        TableView()->indexWidget(m_statusIndex) == m_statusPanel) {
        TableView()->setIndexWidget(m_statusIndex, nullptr);
    } else if (m_statusPanel) {
        // The table already let go of it (its row or the whole model was reset).
        m_statusPanel->hide();
        m_statusPanel->deleteLater();
    }
    m_statusPanel = nullptr;
    m_statusIndex = QPersistentModelIndex();
}

void QContactsView::ForgetActionContacts() {
    m_actionContact = nullptr;
    m_rightClickedContact = nullptr;
    m_rightClickedRow = -1;
}

void QContactsView::ClickTableView(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QModelIndex source = SortModel()->mapToSource(index);
    auto* chunk = static_cast<CContactChunk*>(m_model->ChunkAt(source.row()));
    if (!chunk)
        return;
    ClearActionCell();
    m_actionContact = chunk;
    auto* panel = new QContactStatusPanel;
    panel->setObjectName(QStringLiteral("m_statusPanel"));
    // The row is drawn in the selection colour, which would swallow the teal buttons.
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, QColor(212, 240, 247));
    panel->setPalette(colours);
    connect(panel, &QContactStatusPanel::ClickEdit, this, &QContactsView::OnEditIndex);
    if (!m_readOnly->IsWritable())
        if (auto* edit = panel->findChild<QWidget*>(QStringLiteral("m_btnEdit")))
            edit->hide();
    connect(panel, &QContactStatusPanel::ClickTransfer, this, &QContactsView::OnTransfer);
    m_statusIndex = index.sibling(index.row(), QContactsModel::StatusColumn);
    TableView()->setIndexWidget(m_statusIndex, panel);
    m_statusPanel = panel;
}

QMenu* QContactsView::PrepareContextMenu(const QPoint& pos) {
    const QModelIndex index = TableView()->indexAt(pos);
    m_rightClickedRow = index.isValid() ? SortModel()->mapToSource(index).row() : -1;
    m_rightClickedContact = static_cast<CContactChunk*>(m_model->ChunkAt(m_rightClickedRow));
    m_actionDelete->setEnabled(m_rightClickedContact != nullptr);
    m_actionExport->setEnabled(m_rightClickedContact != nullptr);
    return m_menu;
}

void QContactsView::OnRightClicked(const QPoint& pos) {
    QMenu* menu = PrepareContextMenu(pos);
    // The export of the menu works on the row it was opened on.
    if (m_rightClickedContact)
        m_actionContact = m_rightClickedContact;
    menu->exec(TableView()->viewport()->mapToGlobal(pos));
}

void QContactsView::OnTransfer() {
    CContactChunk* contact = Contains(m_actionContact) ? m_actionContact : nullptr;
    if (!contact)
        return;
    for (IBaseChunk* chunk : m_records)
        chunk->SetChecked(false);
    contact->SetChecked(true);
    SyncHeaderCheck();
    if (m_model->rowCount() > 0)
        emit m_model->dataChanged(m_model->index(0, 0), m_model->index(m_model->rowCount() - 1, 0),
                                  {Qt::CheckStateRole});
    QRecordExportDialog::Run(this, this);
}

// ---------------------------------------------------------------------------------------------------
// Adding and editing

QString QContactsView::GroupFailedText() {
    // The contact itself is on the device; only its group is not what the user chose.
    return tr("The contact was saved, but not put in its group!");
}

bool QContactsView::ApplyGroup(CContactChunk& chunk, const std::string& group,
                               const std::string& previousGroup) {
    if (group == previousGroup || !m_service || chunk.GetId().empty())
        return true;
    const std::string id = chunk.GetId();
    int code = 0;
    if (group.empty() || group == kUngrouped) {
        code = m_service->SetContactGroups(id.c_str(), nullptr, 0);
        if (code == 0) {
            chunk.groups.clear();
            chunk.groupNames.clear();
            chunk.UpdateTexts();
        }
    } else {
        const char* names[] = {group.c_str()};
        code = m_service->SetContactGroups(id.c_str(), names, 1);
        if (code == 0) {
            chunk.groups = group;
            chunk.groupNames = {group};
            chunk.UpdateTexts();
        }
    }
    if (code != 0)
        qDebug() << "QContactsView::ApplyGroup SetContactGroups answered" << code;
    return code == 0;
}

void QContactsView::OnAddContact() {
    if (!m_readOnly->IsWritable())
        return;
    // Every dialog and message below runs an event loop that may deliver the device's removal: the
    // dialogs live on the heap (this view may take them along) and each is followed by a guard.
    const CModalGuard guard(this);
    QPointer<AddContactsDlg> dialog = new AddContactsDlg(m_groupNames, nullptr, this);
    const int answer = dialog->exec();
    if (guard.Gone() || !dialog)
        return;
    const ContactFormData form = dialog->Data();
    delete dialog;
    if (answer != AddContactsDlg::kAccepted)
        return;
    emit addContactNum(DeviceHandle(), 1, SUB_ITEM_CONTACTS);
    auto* chunk = new CContactChunk(Manager());
    ContactRecords::ApplyForm(form, *chunk);
    CContactSaveRecord record(*chunk, false);
    const int code = m_service ? m_service->SaveContact(record.Record(), 0) : kNoService;
    bool grouped = true;
    if (code == 0) {
        // The device names the new contact; later edits and deletes need that id.
        if (record.Record()->id)
            chunk->SetId(record.Record()->id);
        grouped = ApplyGroup(*chunk, form.group, std::string());
    }
    m_records.push_back(chunk);
    ShowRecords();
    if (code != 0) {
        ShowMessage(tr("Add contact failed!"), QString(), MSG_ERROR);
    } else if (!grouped) {
        ShowMessage(GroupFailedText(), QString(), MSG_ERROR);
    }
    if (guard.Gone())
        return;
    emit addContactNum(DeviceHandle(), 0, SUB_ITEM_CONTACTS);
    emit emitRefreshContactsNode(DeviceHandle());
}

void QContactsView::OnEditIndex() {
    if (!m_readOnly->IsWritable())
        return;
    CContactChunk* contact = Contains(m_actionContact) ? m_actionContact : nullptr;
    if (!contact)
        return;
    const CModalGuard guard(this);
    QPointer<AddContactsDlg> dialog = new AddContactsDlg(m_groupNames, contact, this);
    const int answer = dialog->exec();
    if (guard.Gone() || !dialog)
        return;
    const ContactFormData form = dialog->Data();
    delete dialog;
    if (answer != AddContactsDlg::kAccepted || !Contains(contact))
        return;
    ClearActionCell();
    ForgetActionContacts();
    m_records.remove(contact);
    const std::string previousGroup =
        contact->groupNames.empty() ? std::string() : contact->groupNames.front();
    ContactRecords::ApplyForm(form, *contact);
    CContactSaveRecord record(*contact, true);
    const int code = m_service ? m_service->SaveContact(record.Record(), 0) : kNoService;
    if (code == 0) {
        const bool grouped = ApplyGroup(*contact, form.group, previousGroup);
        m_records.push_back(contact);
        ShowRecords();
        if (!grouped)
            ShowMessage(GroupFailedText(), QString(), MSG_ERROR);
        return;
    }
    // The row stays out of the table until the next load shows what the device kept.
    ShowRecords();
    delete contact;
    ShowMessage(tr("Modify contact failed!"), QString(), MSG_ERROR);
    if (guard.Gone())
        return;
    emit emitRefreshContactsNode(DeviceHandle());
}

// ---------------------------------------------------------------------------------------------------
// Deleting

bool QContactsView::RunBatchDelete(std::list<IBaseChunk*>* list) {
    const CModalGuard guard(this);
    ClearActionCell();
    ForgetActionContacts();
    emit addContactNum(DeviceHandle(), 1, SUB_ITEM_CONTACTS);
    // The worker destroys records; the table must not paint them meanwhile.
    m_model->SetChunkList(nullptr);
    // The dialog is this view's child: a removal of the device stops the worker before this goes.
    CActionStrategyDlg::DeleteRecords(list, this);
    if (guard.Gone())
        return false;
    // Every checked contact was tried; those still here are the ones the device kept.
    const bool kept =
        std::any_of(list->begin(), list->end(), [](IBaseChunk* chunk) { return chunk->IsChecked(); });
    ShowRecords();
    if (kept) {
        ShowMessage(tr("Some contacts could not be deleted from the device!"), QString(), MSG_ERROR);
        if (guard.Gone())
            return false;
    }
    emit addContactNum(DeviceHandle(), 0, SUB_ITEM_CONTACTS);
    emit emitRefreshContactsNode(DeviceHandle());
    return true;
}

void QContactsView::OnDeleteItem() {
    if (!m_readOnly->IsWritable())
        return;
    if (!HasCheckedChunk()) {
        ShowMessage(tr("Please choose any of items to delete!"), QString(), MSG_WARNING);
        return;
    }
    const CModalGuard guard(this);
    if (ShowMessage(tr("Are you sure to delete the selected item(s)?"), QString(), MSG_WARNING | MSG_YESNO) !=
            MSG_RESULT_YES ||
        guard.Gone())
        return;
    RunBatchDelete(&m_records);
}

void QContactsView::OnDeleteSelectItem() {
    if (!m_readOnly->IsWritable())
        return;
    CContactChunk* contact = Contains(m_rightClickedContact) ? m_rightClickedContact : nullptr;
    if (!contact)
        return;
    const CModalGuard guard(this);
    if (ShowMessage(tr("Are you sure to delete the selected item(s)?"), QString(), MSG_WARNING | MSG_YESNO) !=
            MSG_RESULT_YES ||
        guard.Gone() || !Contains(contact))
        return;
    std::list<IBaseChunk*> single;
    single.splice(single.end(), m_records, std::find(m_records.begin(), m_records.end(), contact));
    contact->SetChecked(true);
    const QPointer<QContactsView> self(this);
    if (!RunBatchDelete(&single)) {
        // The view is going away; a contact the device kept goes with its records.
        if (self)
            m_records.splice(m_records.end(), single);
        else
            qDeleteAll(single);
        return;
    }
    // A contact the device kept comes back (contacts never refuse, but the list must not leak it).
    m_records.splice(m_records.end(), single);
    ShowRecords();
}

// ---------------------------------------------------------------------------------------------------
// Groups

void QContactsView::OnNewGroup(const QString&) {
    if (!m_readOnly->IsWritable())
        return;
    const CModalGuard guard(this);
    QPointer<QGroupNameDlg> dialog = new QGroupNameDlg(this);
    const int answer = dialog->exec();
    if (guard.Gone() || !dialog)
        return;
    const QByteArray name = dialog->GroupName().toUtf8();
    delete dialog;
    if (answer != 1)
        return;
    const int code = m_service ? m_service->CreateGroup(name.constData()) : kNoService;
    if (code != 0) {
        qDebug() << "QContactsView::OnNewGroup CreateGroup answered" << code;
        ShowMessage(tr("Create group failed!"), QString(), MSG_ERROR);
        return;
    }
    OnRefreshContacts();
}

void QContactsView::OnDeleteGroup(const QString& group) {
    if (!m_readOnly->IsWritable())
        return;
    if (group.isEmpty())
        return;
    const CModalGuard guard(this);
    if (ShowMessage(tr("Are you sure to delete the group \"%1\"? Its contacts stay.").arg(group), QString(),
                    MSG_WARNING | MSG_YESNO) != MSG_RESULT_YES ||
        guard.Gone())
        return;
    const QByteArray name = group.toUtf8();
    const int code = m_service ? m_service->DeleteGroup(name.constData()) : kNoService;
    if (code != 0) {
        qDebug() << "QContactsView::OnDeleteGroup DeleteGroup answered" << code;
        ShowMessage(tr("Delete group failed!"), QString(), MSG_ERROR);
        return;
    }
    OnRefreshContacts();
}

void QContactsView::OnRenameGroup(const QString& oldName, const QString& newName) {
    const QByteArray from = oldName.toUtf8();
    const QByteArray to = newName.trimmed().toUtf8();
    if (from.isEmpty() || to.isEmpty() || from == to)
        return;
    const int code = m_service ? m_service->RenameGroup(from.constData(), to.constData()) : kNoService;
    if (code != 0) {
        qDebug() << "QContactsView::OnRenameGroup RenameGroup answered" << code;
        const CModalGuard guard(this);
        ShowMessage(tr("Rename group failed!"), QString(), MSG_ERROR);
        if (guard.Gone())
            return;
    }
    if (code == 0 && m_shownGroup == oldName)
        m_shownGroup = newName.trimmed();
    // Also after a failure: the reload puts the tree's old name back.
    OnRefreshContacts();
}

// ---------------------------------------------------------------------------------------------------

void QContactsView::OnLanguageChanged() {
    RetranslateUi();
    InitEmptyPanel();
}

void QContactsView::RetranslateUi() {
    QBaseDetailsView::OnLanguageChanged();
    if (m_model)
        m_model->Retranslate();
    if (m_actionAdd) {
        m_actionAdd->setText(tr("Add Contact"));
        m_actionDelete->setText(tr("Delete this Contact"));
        m_actionExport->setText(tr("To Computer"));
    }
}
