#pragma once

#include <QtGlobal>
#include <atomic>
#include <list>
#include <qnamespace.h>
#include <string>

#include "ISerialable.h"
#include "QAnalysisThread.h"

class IBaseChunk;

// Something a loader holds while it works and gives back through its own release.
class IAnalysisSource {
public:
    virtual void Release() = 0;

protected:
    ~IAnalysisSource() = default;
};

// A loader that owns the records it loads. The list is rebuilt on every load and freed with the
// loader; views that show it hold only pointers. Check counts follow the marks as the table flips
// them, so the header can tell all / some / none without walking the list.
class QDBAnalysisThread : public QAnalysisThread, public ISerialable {
public:
    QDBAnalysisThread() = default;
    ~QDBAnalysisThread() override;

    void SetSourceName(const std::string& name) { m_sourceName = name; }
    const std::string& GetSourceName() const { return m_sourceName; }
    bool IsBusy() const { return m_busy.load(); }
    int GetReportedCount() const { return m_count; }
    int GetCurrent() const { return m_current; }

    std::list<IBaseChunk*>* Records() { return &m_records; }

    virtual int GetCount() const;
    virtual IBaseChunk* GetAt(int index) const;
    // The books and photos records are exported by their views; loaders write nothing by default.
    virtual bool ExportToFile(const char* path);
    virtual void ReleaseSource();
    virtual void ResetCheckCounts();
    virtual void CountAdded(const bool* checkFlag);
    virtual void CountRemoved(const bool* checkFlag);
    virtual void CountToggled(const bool* newValue);
    // Qt::CheckState: all checked when nothing is unchecked (an empty set too), partly when some are.
    virtual int GetCheckState() const;
    virtual quint64 GetTotalSize() const { return 0; }

    void Serialize(IBaseSerial* writer) override;
    void Deserialize(IBaseSerial*) override {}

    void SetSource(IAnalysisSource* source);
    IAnalysisSource* GetSource() const { return m_source; }
    quint64 CheckedCount() const { return m_checkedCount; }
    quint64 UncheckedCount() const { return m_uncheckedCount; }

protected:
    // The shared load: begin, rebuild the list from the device, progress per record, end. A failing
    // query ends the load with an empty list; invalid elements are skipped but still counted. A loader
    // fills in the hooks below rather than wrapping this.
    void Run() final;
    // Asks the device for the category's records; non-zero is the library's failure code. Runs on the
    // worker thread.
    virtual int QueryRecords(int& count) = 0;
    virtual bool IsValidElement(int) const { return true; }
    virtual IBaseChunk* CreateChunk(int index) = 0;
    // After every load, a failed one too, once the end is reported: lets go of what the query handed
    // out and tells the navigation tree that the category's count changed.
    virtual void OnLoadFinished() {}

    void DeleteRecords();
    // Loader bookkeeping for Run().
    void SetBusy(bool busy) { m_busy = busy; }
    void SetReportedCount(int count) { m_count = count; }
    void SetCurrent(int current) { m_current = current; }
    void AddRowsSeen(int rows) { m_rowsSeen += rows; }

private:
    // The begin, progress and end reports of one load.
    void Load();

    std::string m_sourceName;
    // Written by the worker, read by the interface thread while a load runs.
    std::atomic<int> m_count{0};
    std::atomic<int> m_current{0};
    std::atomic<int> m_rowsSeen{0};
    std::atomic<bool> m_busy{false};
    [[maybe_unused]] int m_reservedIndex = -1;
    IAnalysisSource* m_source = nullptr;
    std::list<IBaseChunk*> m_records;
    quint64 m_checkedCount = 0;
    quint64 m_uncheckedCount = 0;
};
