#pragma once

#include <vector>

struct SweepOperation;

// The messages page's row of the fault sweep: reading the conversations.
void AddMessagesOperations(std::vector<SweepOperation>& operations);
