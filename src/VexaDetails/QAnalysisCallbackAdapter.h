#pragma once

#include <functional>

#include <QObject>

#include "IAnalysisCallback.h"

// Carries a loader's reports from its worker thread to a callback on the interface thread. Lives on
// the interface thread; the Emit* calls are made by the worker. Progress blocks the worker until the
// interface thread has handled it, so the chunk it carries stays valid while the view reads it - unless
// the worker is asked to stop, for then the interface thread is about to wait for the worker.
class QAnalysisCallbackAdapter : public QObject {
    Q_OBJECT
public:
    // `stopRequested` tells whether the reporting worker is asked to stop; none means never.
    explicit QAnalysisCallbackAdapter(IAnalysisCallback* callback, std::function<bool()> stopRequested = {},
                                      QObject* parent = nullptr);
    // Sends one last end report, so the old target never stays in its loading state.
    ~QAnalysisCallbackAdapter() override;

    IAnalysisCallback* Callback() const { return m_callback; }

    void EmitBegin();
    void EmitEnd();
    void EmitSize(quint64 size);
    void EmitProgress(RecoverType type, IBaseChunk* chunk, quint64 current, quint64 total);
    void EmitError(const char* message);

signals:
    void analysisBegin();
    void analysisEnd();
    void analysisSize(quint64 size);
    void analysisError(char* message);

public slots:
    void OnAnalysisBegin();
    void OnAnalysisEnd();
    void OnAnalysisSize(quint64 size);
    void OnAnalysisError(char* message);

private:
    IAnalysisCallback* m_callback;
    std::function<bool()> m_stopRequested;
};
