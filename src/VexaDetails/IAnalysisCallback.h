#pragma once

#include <QtGlobal>

class IBaseChunk;

// Category code carried by progress reports.
enum RecoverType : int {
    RECOVER_TYPE_PHOTOS = 6,
    RECOVER_TYPE_BOOKS = 7,
};

// What a view hears from a loader. Always called on the interface thread, through
// QAnalysisCallbackAdapter.
class IAnalysisCallback {
public:
    virtual void OnAnalysisBegin() = 0;
    virtual void OnAnalysisEnd() = 0;
    virtual void OnAnalysisSize(quint64 size) = 0;
    // `data` is null for the first and last report of a load.
    virtual void OnAnalysisProgress(RecoverType type, IBaseChunk* data, quint64 current, quint64 total) = 0;
    // `message` belongs to the adapter and is freed after the call.
    virtual void OnAnalysisError(char* message) = 0;

protected:
    ~IAnalysisCallback() = default;
};
