#pragma once

#include <vector>

struct SweepOperation;

// The apps page's rows of the fault sweep: listing the apps and their icons, installing, uninstalling
// and backing up an app.
void AddAppsOperations(std::vector<SweepOperation>& operations);
