#pragma once

#include <vector>

struct SweepOperation;

// The music and playlist pages' rows of the fault sweep: listing, adding, deleting and exporting songs,
// and the playlists in the tree.
void AddMusicOperations(std::vector<SweepOperation>& operations);
