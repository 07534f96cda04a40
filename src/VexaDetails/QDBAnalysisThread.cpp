#include "QDBAnalysisThread.h"

#include <iterator>

#include "IBaseChunk.h"
#include "QAnalysisCallbackAdapter.h"

QDBAnalysisThread::~QDBAnalysisThread() {
    // Run() appends to the list; it must be over before the chunks go.
    StopAndWait();
    DeleteRecords();
    ReleaseSource();
}

int QDBAnalysisThread::GetCount() const {
    return int(m_records.size());
}

IBaseChunk* QDBAnalysisThread::GetAt(int index) const {
    if (index < 0 || size_t(index) >= m_records.size())
        return nullptr;
    return *std::next(m_records.begin(), index);
}

bool QDBAnalysisThread::ExportToFile(const char*) {
    return false;
}

void QDBAnalysisThread::ReleaseSource() {
    if (m_source) {
        m_source->Release();
        m_source = nullptr;
    }
}

void QDBAnalysisThread::SetSource(IAnalysisSource* source) {
    if (source != m_source)
        ReleaseSource();
    m_source = source;
}

void QDBAnalysisThread::ResetCheckCounts() {
    m_checkedCount = 0;
    m_uncheckedCount = 0;
}

void QDBAnalysisThread::CountAdded(const bool* checkFlag) {
    if (!checkFlag)
        return;
    ++(*checkFlag ? m_checkedCount : m_uncheckedCount);
}

void QDBAnalysisThread::CountRemoved(const bool* checkFlag) {
    if (!checkFlag)
        return;
    quint64& count = *checkFlag ? m_checkedCount : m_uncheckedCount;
    if (count > 0)
        --count;
}

void QDBAnalysisThread::CountToggled(const bool* newValue) {
    if (!newValue)
        return;
    quint64& from = *newValue ? m_uncheckedCount : m_checkedCount;
    quint64& to = *newValue ? m_checkedCount : m_uncheckedCount;
    if (from > 0)
        --from;
    ++to;
}

int QDBAnalysisThread::GetCheckState() const {
    if (m_uncheckedCount == 0)
        return Qt::Checked;
    return m_checkedCount != 0 ? Qt::PartiallyChecked : Qt::Unchecked;
}

void QDBAnalysisThread::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    for (IBaseChunk* chunk : m_records)
        if (chunk->IsChecked())
            chunk->Serialize(writer);
}

void QDBAnalysisThread::DeleteRecords() {
    for (IBaseChunk* chunk : m_records)
        delete chunk;
    m_records.clear();
    m_count = 0;
    ResetCheckCounts();
}

void QDBAnalysisThread::Run() {
    m_busy = true;
    Load();
    m_busy = false;
    OnLoadFinished();
}

void QDBAnalysisThread::Load() {
    QAnalysisCallbackAdapter* adapter = Adapter();
    if (!adapter)
        return;
    adapter->EmitBegin();
    DeleteRecords();

    int count = 0;
    if (QueryRecords(count) != 0 || count < 0) {
        adapter->EmitEnd();
        return;
    }
    const RecoverType type = GetCategoryType();
    m_count = count;
    m_current = 0;
    adapter->EmitProgress(type, nullptr, 0, quint64(count));
    for (int i = 0; i < count; ++i, ++m_current) {
        ++m_rowsSeen;
        if (!IsValidElement(i))
            continue;
        IBaseChunk* chunk = CreateChunk(i);
        if (!chunk)
            continue;
        chunk->SetOwner(reinterpret_cast<quintptr>(this));
        m_records.push_back(chunk);
        const bool mark = chunk->IsChecked();
        CountAdded(&mark);
        adapter->EmitProgress(type, chunk, quint64(m_current), quint64(count));
    }
    // The last report carries count - 1 even for an empty set; callers read it as "done".
    adapter->EmitProgress(type, nullptr, quint64(qint64(count) - 1), quint64(count));
    adapter->EmitEnd();
}
