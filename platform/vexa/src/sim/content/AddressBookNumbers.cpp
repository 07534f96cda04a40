#include "AddressBookNumbers.h"

#include <filesystem>
#include <system_error>

#include "../SimDevice.h"
#include "ios/AddressBookReader.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

std::vector<KnownNumber> AddressBookNumbers(SimDevice& device) {
    const std::filesystem::path file = device.AddressBookFile();
    ios::AddressBook book;
    // An address book that links out of the device is not read, as the contacts service does not open it.
    std::error_code error;
    if (file.empty() || std::filesystem::is_symlink(file, error) ||
        ios::AddressBookReader::Read(file, book, ios::ReadOnlyDatabase::Mode::InPlace) != ios::kReadOk)
        return {};
    return AddressBookNumbers(book);
}

std::vector<KnownNumber> AddressBookNumbers(const ios::AddressBook& book) {
    std::vector<KnownNumber> numbers;
    for (const ios::AddressBookPerson& person : book.people) {
        std::string name;
        for (const auto* part : {&person.firstName, &person.middleName, &person.lastName}) {
            if (*part && !(*part)->empty())
                name += (name.empty() ? "" : " ") + **part;
        }
        if (name.empty() && person.nickName)
            name = *person.nickName;
        if (name.empty())
            continue;
        for (const ios::AddressBookValue& phone : person.phones)
            numbers.push_back({phone.value, name});
    }
    return numbers;
}

} // namespace vexa::sim
