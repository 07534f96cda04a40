#include "QCallsView.h"

#include <QDebug>
#include <QTableView>

#include <vexa/IVexaManager.h>

#include "CCallChunk.h"
#include "CReadOnlyPage.h"
#include "CSnapshotPage.h"
#include "NotSupportedMessage.h"
#include "QAddDataWidget.h"
#include "QCallsModel.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"

namespace {

// What a load reports when the device handed out no service to read calls with.
constexpr int kNoService = -1;

} // namespace

QCallsView::LoadResult::~LoadResult() {
    qDeleteAll(chunks);
}

QCallsView::QCallsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_service(manager ? manager->GetDeviceService() : nullptr)
    , m_model(new QCallsModel(this)) {
    setObjectName(QStringLiteral("QCallsView"));
    SetCategoryName("Calls");
    SetChunkList(&m_records);
    QTableView* table = CreateTableView(m_model);
    table->setColumnWidth(QCallsModel::NameColumn, 220);
    table->setColumnWidth(QCallsModel::DateColumn, 170);
    clickList();
    // The model orders its rows by the values behind the texts; the search looks at names and numbers.
    SortModel()->SetSortHandler(
        [model = m_model](int column, Qt::SortOrder order) { model->SortBy(column, order); });
    SortModel()->setFilterKeyColumn(QCallsModel::NameColumn);
    SortModel()->setFilterRole(QCallsModel::kSearchRole);
    table->sortByColumn(QCallsModel::DateColumn, Qt::DescendingOrder);

    // Calls are neither added nor deleted here.
    QOperatePanel* panel = OperatePanel();
    for (const char* name : {"m_addBtn", "m_deleteBtn"})
        if (auto* button = panel->findChild<QImageButton*>(QLatin1String(name)))
            button->hide();
    if (auto* add = AddWidget()->findChild<QImageButton*>(QStringLiteral("m_btnAdd")))
        add->hide();

    new CReadOnlyPage(this, ReadOnlyNotice::Calls, [this] { return CReadOnlyPage::StateOf(m_service); });
    m_snapshot = CSnapshotPage::Attach(this, ReadOnlyNotice::Calls);
    connect(panel, &QOperatePanel::refreshOperate, this, &QCallsView::OnRefresh);
    // loadFinished only announces the end of a load here; the view shows its records itself.
    disconnect(this, &QBaseDetailsView::loadFinished, this, nullptr);
    connect(this, &QCallsView::loadStarted, this, &QCallsView::OnLoadStarted);
    connect(this, &QCallsView::loadEnded, this, &QCallsView::OnLoadEnded);
    connect(this, &QCallsView::loadFailed, this, &QCallsView::OnLoadFailed);
    OnLanguageChanged();
}

QCallsView::~QCallsView() {
    StopAndWait();
    m_model->SetChunkList(nullptr);
    qDeleteAll(m_records);
    m_records.clear();
}

QString QCallsView::Caption() const {
    return tr("Call history");
}

QString QCallsView::EmptyText() const {
    // The line above the page says how to encrypt them.
    if (m_snapshot && m_snapshot->CallsNeedEncryption())
        return tr("No calls can be read until the backups of this device are encrypted.");
    return tr("There are no calls in the call history of this device.");
}

void QCallsView::OnRefresh() {
    if (m_snapshot)
        m_snapshot->RequestRefresh();
    Start();
}

void QCallsView::Run() {
    emit loadStarted();
    CallHistoryList* list = nullptr;
    const int prepared = m_snapshot ? m_snapshot->Prepare() : VEXA_OK;
    int code = prepared;
    if (prepared == VEXA_OK)
        code = m_service ? m_service->GetCallHistory(&list) : kNoService;
    auto result = std::make_unique<LoadResult>();
    if (code == VEXA_OK && list)
        result->chunks = CCallChunk::BuildChunks(*list);
    // A phone that never kept a call history has no calls to show: that is no failure.
    result->ok = code == VEXA_OK || code == VEXA_E_NOT_FOUND;
    // A load that is being replaced or torn down leaves no trace.
    if (IsStopRequested())
        return;
    const bool ok = result->ok;
    m_pending.Put(std::move(result));
    if (!ok)
        emit loadFailed(code);
    emit loadEnded();
}

void QCallsView::OnLoadStarted() {
    OnAnalysisBegin();
}

void QCallsView::OnLoadEnded() {
    std::unique_ptr<LoadResult> result = m_pending.Take();
    if (!result)
        return;
    m_records.swap(result->chunks);
    AddWidget()->SetEmptyText(EmptyText());
    OnAnalysisEnd();
    emit refreshCallsNode(DeviceHandle());
    emit loadFinished(GetChunkCount());
}

void QCallsView::OnLoadFailed(int code) {
    qDebug() << "QCallsView::OnLoadFailed GetCallHistory answered" << code;
    if (m_snapshot && m_snapshot->HandleFailure(code))
        return;
    if (IsNotSupportedYet(code)) {
        ShowUnavailable();
        return;
    }
    // A device that is leaving takes its pages with it; there is nothing to tell.
    if (code == VEXA_E_UNPLUGGED)
        return;
    ShowMessage(tr("The call history could not be read from the device."), QString(), MSG_ERROR);
}

void QCallsView::OnLanguageChanged() {
    QBaseDetailsView::OnLanguageChanged();
    if (m_model)
        m_model->Retranslate();
    AddWidget()->SetEmptyText(EmptyText());
}
