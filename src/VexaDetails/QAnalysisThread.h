#pragma once

#include "IAnalysisCallback.h"
#include "QUtilThread.h"

class QAnalysisCallbackAdapter;

// A loader that runs a category query on its own thread and reports to a view through an adapter.
class QAnalysisThread : public QUtilThread {
public:
    QAnalysisThread() = default;
    ~QAnalysisThread() override;

    // Replaces the adapter (the old one sends its target a last end report); a running load is
    // stopped first. Call on the interface thread, so that the adapter and its slots live there.
    QAnalysisCallbackAdapter* SetCallback(IAnalysisCallback* callback);
    QAnalysisCallbackAdapter* Adapter() const { return m_adapter; }

    virtual RecoverType GetCategoryType() const = 0;

protected:
    void Run() override = 0;

private:
    QAnalysisCallbackAdapter* m_adapter = nullptr;
};
