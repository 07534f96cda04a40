#pragma once

// Beside IOSListener (vexa.h): for a caller that wants the devices plugged in now and nothing later, as
// a command-line program does.
extern "C" {
// Waits until the callback IOSListener registered last has been told of every device present (the
// simulator reports them all in its first look at its folder, the demo device it makes in an empty one
// included). 0 then; VEXA_E_TIMEOUT after `timeoutMs`; VEXA_E_NOT_SUPPORTED_YET at once where the
// backend cannot tell (usbmuxd reports devices as they answer).
int IOSWaitForPresentDevices(int timeoutMs);
}
