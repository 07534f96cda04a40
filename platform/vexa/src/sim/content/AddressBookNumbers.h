#pragma once

#include <vector>

#include "MessageStore.h"

namespace vexa::ios {
struct AddressBook;
}

namespace vexa::sim {

class SimDevice;

// The address book's phone numbers with the name each belongs to, as the conversation list shows it.
// Nothing when the address book cannot be read: the conversations are then listed without names.
std::vector<KnownNumber> AddressBookNumbers(SimDevice& device);
std::vector<KnownNumber> AddressBookNumbers(const ios::AddressBook& book);

} // namespace vexa::sim
