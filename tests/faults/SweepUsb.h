#pragma once

#include <vector>

struct SweepOperation;

// The rows for the device's record, storage, name and apps once more on the usb backend: the program talks
// to the same simulated phone through vexa-device-emulator, whose own fault modes break the calls.
void AddUsbOperations(std::vector<SweepOperation>& operations);
