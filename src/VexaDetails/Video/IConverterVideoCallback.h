#pragma once

#include <QtGlobal>

// What a conversion job reports. Called on the interface thread, from the job's poll timer.
class IConverterVideoCallback {
public:
    virtual ~IConverterVideoCallback() = default;
    virtual void OnBegin() = 0;
    // The job has ended, finished or failed (OnError came first then).
    virtual void OnEnd() = 0;
    // Converted and total duration in milliseconds.
    virtual void OnProgress(quint64 current, quint64 total) = 0;
    virtual void OnMsg(const char* message) = 0;
    virtual void OnError(const char* message) = 0;
};
