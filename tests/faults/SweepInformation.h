#pragma once

#include <vector>

struct SweepOperation;

// The sweep's rows for the device's arrival and its information page: reading the device record and
// the storage figures, renaming the phone.
void AddInformationOperations(std::vector<SweepOperation>& operations);
