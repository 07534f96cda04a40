#pragma once

#include <vector>

struct SweepOperation;

// The sweep's rows for restoring a backup onto the phone and for the transfer from the phone to a
// second device.
void AddBackupOperations(std::vector<SweepOperation>& operations);
