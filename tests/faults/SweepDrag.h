#pragma once

#include <vector>

struct SweepOperation;

// The drag of a song out of the music page: its copy off the device runs on the window's own thread,
// when the drop target asks for the files.
void AddDragOperations(std::vector<SweepOperation>& operations);
