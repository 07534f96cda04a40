#pragma once

#include <QMetaType>

// What the detector reports about a device. The navigation widget adds a third state of its own
// (initialisation finished), which never travels through the adapter.
enum tagDetectiPhoneState : int {
    DETECT_IPHONE_GONE = 0,
    DETECT_IPHONE_READY = 1,
    DETECT_IPHONE_INIT_FINISHED = 2,
    DETECT_IPHONE_TRUST_PENDING = 3, // a real device waits for the user to unlock it and tap "Trust"
    DETECT_IPHONE_PAIRING_FAILED = 4,
};
Q_DECLARE_METATYPE(tagDetectiPhoneState)

class IDetectiPhoneCallback {
public:
    virtual ~IDetectiPhoneCallback() = default;
    virtual void OnDeviceStateChange(int state, int deviceHandle) = 0;
};
