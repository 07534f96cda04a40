#pragma once

#include <vector>

struct SweepOperation;

// The contacts page's rows of the fault sweep: listing, adding, editing and deleting contacts, and the
// contact groups in the tree.
void AddContactsOperations(std::vector<SweepOperation>& operations);
