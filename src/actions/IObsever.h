#pragma once

// Watches an observed action. Calls arrive on the widget thread through a QObseverAdapter; texts are
// NUL-terminated UTF-8 and belong to the caller for the duration of the call. Observers are never
// deleted through this interface.
class IObsever {
public:
    virtual void OnLaunch() = 0;
    virtual void OnEnd() = 0;
    virtual void OnProgress(int progress, int total) = 0;
    virtual void OnMsg(const char* msg) = 0;
    virtual void OnNote(const char* note) = 0;

protected:
    ~IObsever() = default;
};
