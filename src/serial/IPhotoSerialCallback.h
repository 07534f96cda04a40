#pragma once

#include <QtGlobal>

// Hears a file export (or a picture import). Calls arrive on the widget thread through
// CPhotoSerialCallbackAdapter; texts are UTF-8 and valid only during the call.
class IPhotoSerialCallback {
public:
    virtual ~IPhotoSerialCallback() = default;

    virtual void OnBegin() = 0;
    virtual void OnEnd() = 0;
    virtual void OnProgress(quint64 done, quint64 total) = 0;
    virtual void OnError(const char* text) = 0;
    virtual void OnMsg(const char* text) = 0;
};
