#include "QiBookAnalysisThread.h"

#include <QThread>

#include <vexa/IVexaManager.h>
#include <vexa/VexaRecords.h>

#include "CiBookChunk.h"
#include "NotSupportedMessage.h"
#include "QAnalysisCallbackAdapter.h"

QiBookAnalysisThread::QiBookAnalysisThread(IVexaManager* manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_books(manager ? manager->GetBookService() : nullptr) {
    SetSourceName("iBooks");
}

QiBookAnalysisThread::~QiBookAnalysisThread() {
    StopAndWait();
}

void QiBookAnalysisThread::refresh() {
    if (IsHalted())
        return;
    emit loadStarting();
    Start();
}

int QiBookAnalysisThread::QueryRecords(int& count) {
    QThread::currentThread()->setObjectName(QStringLiteral("iBookAnalysis"));
    m_list = nullptr;
    m_listCount = 0;
    m_listed = false;
    if (!m_books)
        return -1;
    BookRecord* list = nullptr;
    int listed = 0;
    const int code = m_books->GetBooks(&list, &listed);
    if (IsNotSupportedYet(code))
        emit emitUnavailable();
    if (code != 0)
        return code;
    if (!list || listed < 0)
        listed = 0;
    m_list = list;
    m_listCount = listed;
    m_listed = true;
    count = listed;
    return 0;
}

bool QiBookAnalysisThread::IsValidElement(int index) const {
    return m_list && index >= 0 && index < m_listCount && m_list[index].present != 0;
}

void QiBookAnalysisThread::OnLoadFinished() {
    m_list = nullptr;
    m_listCount = 0;
    m_loadedCount = GetCount();
    // Also after a failed query: the tree then shows an empty category instead of waiting for ever.
    if (!IsStopRequested() && m_manager)
        emit emitRefreshiBookNode(m_manager->GetDeviceHandle());
}

IBaseChunk* QiBookAnalysisThread::CreateChunk(int index) {
    auto* chunk = new CiBookChunk(m_manager);
    if (!chunk->FromRecord(m_list[index])) {
        delete chunk;
        return nullptr;
    }
    return chunk;
}

void QiBookAnalysisThread::OnAddiBook(const CiBookChunk& book) {
    if (IsStopRequested())
        return;
    auto* chunk = new CiBookChunk(m_manager);
    chunk->CopyFrom(book);
    chunk->SetOwner(reinterpret_cast<quintptr>(this));
    Records()->push_back(chunk);
    const bool mark = chunk->IsChecked();
    CountAdded(&mark);
    if (QAnalysisCallbackAdapter* adapter = Adapter())
        adapter->EmitProgress(GetCategoryType(), chunk, quint64(GetCurrent()), quint64(GetReportedCount()));
}
