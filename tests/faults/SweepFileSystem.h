#pragma once

#include <vector>

struct SweepOperation;

// The File System page's rows of the fault sweep: reading, changing and uploading into a folder of the
// device.
void AddFileSystemOperations(std::vector<SweepOperation>& operations);
