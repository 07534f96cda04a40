#pragma once

#include <vector>

struct SweepOperation;

// The video page's rows of the fault sweep: listing, adding, deleting and playing a device video.
void AddVideosOperations(std::vector<SweepOperation>& operations);
