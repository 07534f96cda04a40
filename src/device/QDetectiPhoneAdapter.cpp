#include "QDetectiPhoneAdapter.h"

#include <QDebug>

QDetectiPhoneAdapter::QDetectiPhoneAdapter(IDetectiPhoneCallback* callback, QObject* parent)
    : QObject(parent)
    , m_callback(callback) {
    // A queued argument needs its type registered before the first cross-thread emission.
    qRegisterMetaType<tagDetectiPhoneState>("tagDetectiPhoneState");
    connect(this, &QDetectiPhoneAdapter::iPhoneStateChange, this, &QDetectiPhoneAdapter::DoiPhoneStateChange,
            Qt::AutoConnection);
}

void QDetectiPhoneAdapter::DoiPhoneStateChange(tagDetectiPhoneState state, int deviceHandle) {
    qDebug().noquote() << QString::asprintf("-------------------------%d", int(state));
    if (m_callback)
        m_callback->OnDeviceStateChange(state, deviceHandle);
}
