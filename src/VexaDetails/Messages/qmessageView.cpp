#include "qmessageView.h"

#include <QDebug>
#include <QTableView>
#include <QTimer>

#include <vexa/IVexaManager.h>

#include "CAttachmentFiles.h"
#include "CMessageExport.h"
#include "CMessageRecords.h"
#include "CReadOnlyPage.h"
#include "CSnapshotPage.h"
#include "LanguageService.h"
#include "NotSupportedMessage.h"
#include "QAddDataWidget.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMessageFlow.h"
#include "QMessageModel.h"
#include "QOperatePanel.h"
#include "QPagedFlowViewerWidget.h"

namespace {

// What a load reports when the device handed out no messages service.
constexpr int kNoService = -1;

} // namespace

qmessageView::LoadResult::~LoadResult() {
    qDeleteAll(chunks);
}

qmessageView::qmessageView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_service(manager ? manager->GetDeviceService() : nullptr)
    , m_model(new QMessageModel(this))
    , m_flow(new QMessageFlow(this))
    , m_files(new CAttachmentFiles(m_service, this)) {
    setObjectName(QStringLiteral("qmessageView"));
    SetCategoryName("Messages");
    SetChunkList(&m_records);
    QTableView* table = CreateTableView(m_model);
    // The table lives in the flow widget, beside the bubbles.
    SetListWidget(m_flow);
    m_flow->SetTable(table);
    m_flow->PagedFlow()->SetAttachmentFiles(m_files);
    connect(m_files, &CAttachmentFiles::openFailed, this, [](const QString& name, int code) {
        qDebug() << "qmessageView: the attachment" << name << "could not be copied:" << code;
        ShowMessage(tr("%1 could not be copied from the device.").arg(name), QString(), MSG_WARNING);
    });
    clickList();

    // Conversations are neither added nor deleted here.
    QOperatePanel* panel = OperatePanel();
    for (const char* name : {"m_addBtn", "m_deleteBtn"})
        if (auto* button = panel->findChild<QImageButton*>(QLatin1String(name)))
            button->hide();
    if (auto* add = AddWidget()->findChild<QImageButton*>(QStringLiteral("m_btnAdd")))
        add->hide();

    new CReadOnlyPage(this, ReadOnlyNotice::Messages, [this] { return CReadOnlyPage::StateOf(m_service); });
    m_snapshot = CSnapshotPage::Attach(this, ReadOnlyNotice::Messages);
    connect(panel, &QOperatePanel::refreshOperate, this, &qmessageView::OnEmitRefresh);
    // loadFinished only announces the end of a load here; the view shows its records itself.
    disconnect(this, &QBaseDetailsView::loadFinished, this, nullptr);
    connect(this, &qmessageView::beginOnExecute, this, &qmessageView::OnBeginExecute);
    connect(this, &qmessageView::endOnExecute, this, &qmessageView::OnEndExecute);
    connect(this, &qmessageView::emitFailed, this, &qmessageView::OnError);
    // A missing picture is reported in a modal message; opened here, it would run device events
    // (a removal among them) while the view is still being built.
    QTimer::singleShot(0, this, &qmessageView::InitEmptyPanel);
}

qmessageView::~qmessageView() {
    StopAndWait();
    m_flow->Clear();
    m_model->SetChunkList(nullptr);
    qDeleteAll(m_records);
    m_records.clear();
}

void qmessageView::InitEmptyPanel() {
    AddWidget()->setLabelImage(ResourceRoot() + QStringLiteral("/image/details/No-SMS-Found_bg.png"));
}

QString qmessageView::Caption() const {
    return tr("Messages");
}

// ---------------------------------------------------------------------------------------------------
// Loading

void qmessageView::OnEmitRefresh() {
    if (m_snapshot)
        m_snapshot->RequestRefresh();
    Start();
}

void qmessageView::Run() {
    emit beginOnExecute();
    ConversationList* list = nullptr;
    const int prepared = m_snapshot ? m_snapshot->Prepare() : VEXA_OK;
    int code = prepared;
    if (prepared == VEXA_OK)
        code = m_service ? m_service->GetMessages(&list, 0) : kNoService;
    auto result = std::make_unique<LoadResult>();
    if (code == 0 && list) {
        result->chunks = MessageRecords::BuildChunks(*list);
        result->nodeValue = m_service->GetDeviceHandle();
        result->ok = true;
    }
    // A load that is being replaced or torn down leaves no trace.
    if (IsStopRequested())
        return;
    const bool ok = result->ok;
    m_pending.Put(std::move(result));
    if (!ok)
        emit emitFailed(code != 0 ? code : kNoService);
    emit endOnExecute();
}

void qmessageView::OnBeginExecute() {
    OnAnalysisBegin();
}

void qmessageView::OnEndExecute() {
    std::unique_ptr<LoadResult> result = m_pending.Take();
    if (!result)
        return;
    // Nothing may point into the old records once they go with the result object.
    m_flow->Clear();
    m_records.swap(result->chunks);
    OnAnalysisEnd();
    if (!m_records.empty()) {
        m_flow->SelectFirstRow();
        emit initFlow(m_flow->Table()->currentIndex());
    }
    // A failed load shows an empty page, so the node stops waiting and counts none.
    emit refreshMSGNode(result->ok ? result->nodeValue : DeviceHandle());
    emit loadFinished(GetChunkCount());
}

CRecordFileExport::Result qmessageView::ExportWithFiles(const std::string& utf8Path) {
    const CMessageExport::Outcome outcome = CMessageExport::Export(
        m_records, QString::fromStdString(utf8Path), CMessageExport::ThroughService(m_service));
    if (outcome.result == CRecordFileExport::Result::Written && outcome.missed > 0)
        ShowMessage(tr("%n attachment(s) could not be copied from the device; the export names them.",
                       nullptr, outcome.missed),
                    QString(), MSG_WARNING);
    return outcome.result;
}

void qmessageView::OnError(int code) {
    qDebug() << "qmessageView::OnError GetMessages answered" << code;
    if (m_snapshot && m_snapshot->HandleFailure(code))
        return;
    if (IsNotSupportedYet(code)) {
        ShowUnavailable();
        return;
    }
    ShowMessage(tr("Please unlock your device first, and then try again!"), QString(), MSG_ERROR);
}

// ---------------------------------------------------------------------------------------------------

void qmessageView::OnLanguageChanged() {
    QBaseDetailsView::OnLanguageChanged();
    if (m_model)
        m_model->Retranslate();
    if (m_flow) {
        m_flow->PagedFlow()->OnLanguageChanged();
        m_flow->update();
    }
    InitEmptyPanel();
}
