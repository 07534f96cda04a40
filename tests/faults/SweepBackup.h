#pragma once

#include <vector>

struct SweepOperation;

// The sweep's row for backing the phone up into a folder through the backup window.
void AddBackupToFolderOperations(std::vector<SweepOperation>& operations);

// The sweep's rows for restoring a backup onto the phone and for the transfer from the phone to a
// second device.
void AddBackupOperations(std::vector<SweepOperation>& operations);
