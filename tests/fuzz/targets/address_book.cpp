// An address book file as a phone, a backup or a damaged disk may hand it over.
#include "FuzzRegistry.h"
#include "ios/AddressBookReader.h"

VEXA_FUZZ_TARGET(address_book) {
    const std::filesystem::path file = fuzz::Scratch() / "AddressBook.sqlitedb";
    fuzz::WriteFile(file, data, size);
    vexa::ios::AddressBook book;
    for (auto mode : {vexa::ios::ReadOnlyDatabase::Mode::Copy, vexa::ios::ReadOnlyDatabase::Mode::InPlace})
        vexa::ios::AddressBookReader::Read(file, book, mode);
    return 0;
}
