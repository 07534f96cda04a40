#pragma once

#include <QtGlobal>

// Receives the notifications of a batch action. Calls arrive on the widget thread (through
// CActionStrategyCallbackAdapter); texts are UTF-8 and valid only during the call.
class IActionStrategyCallback {
public:
    virtual ~IActionStrategyCallback() = default;

    virtual void OnBegin() = 0;
    virtual void OnEnd() = 0;
    virtual void OnProgress(quint64 done, quint64 total) = 0;
    virtual void OnMsg(const char* text) = 0;
    virtual void OnError(const char* text) = 0;
};
