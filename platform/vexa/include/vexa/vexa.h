#pragma once

#include "IVexaManager.h"

// The device library's entry points.
//
// IOSListener registers one callback (a later call replaces it; null removes it). The library calls it on
// a thread of its own with mode 1 when a device arrives and 2 when it leaves, and never delivers the
// removal of a handle before the callback for its arrival has returned. Handles stay valid until removal
// and are not reused while the process runs.
//
// A real device first has to trust the computer. While it waits for the user to tap "Trust" the library
// reports mode 3 (repeated only when the state changes), and mode 4 when the pairing was refused or
// failed; mode 1 follows once it is trusted, or mode 2 when it is unplugged before.
enum VexaNotifyMode : int {
    VEXA_DEVICE_ARRIVED = 1,
    VEXA_DEVICE_REMOVED = 2,
    VEXA_DEVICE_TRUST_PENDING = 3,
    VEXA_DEVICE_PAIRING_FAILED = 4,
};

typedef int (*VexaListenerCallback)(int mode, int deviceHandle);

// How the library reaches devices right now, for the page that waits for one.
enum VexaTransport : int {
    VEXA_TRANSPORT_SIMULATOR = 0,     // simulated devices (VEXA_BACKEND=sim)
    VEXA_TRANSPORT_LISTENING = 1,     // usbmuxd answers: devices are reported as they are plugged in
    VEXA_TRANSPORT_WAITING = 2,       // usbmuxd is not running yet; it is listened to once it starts
    VEXA_TRANSPORT_NOT_INSTALLED = 3, // no usbmuxd daemon on this computer (Debian package "usbmuxd")
};

extern "C" {
int IOSInitialize();
int IOSListener(VexaListenerCallback callback);
IVexaManager* GetVexaManager();
int IsWiFiConnect(int deviceHandle);
void DeleteVexaManager(IVexaManager** manager);
// A VexaTransport value.
int IOSTransportState();
// Asks every device whose pairing failed (mode 4) again; each is reported anew (mode 1, 3 or 4). 0.
int IOSRetryPairing();
}
