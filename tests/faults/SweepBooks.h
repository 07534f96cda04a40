#pragma once

#include <vector>

struct SweepOperation;

// The books page's rows of the fault sweep: adding and deleting books, and exporting one the device
// keeps unpacked.
void AddBooksOperations(std::vector<SweepOperation>& operations);
