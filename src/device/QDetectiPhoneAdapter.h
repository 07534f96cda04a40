#pragma once

#include <QObject>

#include "IDetectiPhoneCallback.h"

// Carries the detector's news from the device library's thread to the thread that owns the adapter
// (the GUI thread): the signal is connected to the adapter's own slot, so an emission elsewhere is
// queued and the callback always runs where the widgets live.
class QDetectiPhoneAdapter : public QObject {
    Q_OBJECT
public:
    explicit QDetectiPhoneAdapter(IDetectiPhoneCallback* callback, QObject* parent = nullptr);

signals:
    void iPhoneStateChange(tagDetectiPhoneState state, int deviceHandle);

public slots:
    void DoiPhoneStateChange(tagDetectiPhoneState state, int deviceHandle);

private:
    IDetectiPhoneCallback* m_callback;
};
