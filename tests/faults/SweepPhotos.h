#pragma once

#include <vector>

struct SweepOperation;

// The photos page's rows of the fault sweep: the photo list, the albums and what is done to them, and
// the import of a picture.
void AddPhotosOperations(std::vector<SweepOperation>& operations);
