#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ReadOnlyDatabase.h"

namespace vexa::ios {

// Property numbers of ABMultiValue rows.
constexpr int kAddressBookPhone = 3;
constexpr int kAddressBookEmail = 4;
constexpr int kAddressBookAddress = 5;
constexpr int kAddressBookUrl = 22;

// One labelled value of a person. A built-in label is the name inside its "_$!<...>!$_" wrapper
// ("Mobile"); a label the user typed is kept as it stands.
struct AddressBookValue {
    std::string label;
    bool builtInLabel = false;
    std::string value;
};

struct AddressBookAddress {
    std::string label;
    bool builtInLabel = false;
    std::string street, city, region, postalCode, country; // empty when the part is not there
};

struct AddressBookPerson {
    int64_t id = 0;
    std::optional<std::string> firstName, middleName, lastName, nickName, organization, department, jobTitle,
        note;
    std::optional<std::string> birthday; // "yyyy-MM-dd"; year 1604 stands for "no year given"
    int64_t created = 0;                 // Unix seconds, 0 when unknown
    int64_t modified = 0;
    std::string picture; // encoded image (JPEG on a phone), empty for none; see ReadPictures
    std::vector<AddressBookValue> phones, emails, urls;
    std::vector<AddressBookAddress> addresses;
};

struct AddressBookGroup {
    int64_t id = 0;
    std::string name;
    std::vector<int64_t> memberIds; // people only, in id order
};

struct AddressBook {
    std::vector<AddressBookPerson> people; // in id order
    std::vector<AddressBookGroup> groups;  // in id order
};

// Reads an AddressBook.sqlitedb as a phone, a backup or the simulator keeps it. ABPerson must be
// there; every other table and every column but the row ids may be missing and is then empty.
// Read() answers a ReadResult and fills `book` only on kReadOk.
class AddressBookReader {
public:
    static int Read(const std::filesystem::path& file, AddressBook& book,
                    ReadOnlyDatabase::Mode mode = ReadOnlyDatabase::Mode::Copy);
    // Adds the people's pictures from the AddressBookImages.sqlitedb beside the address book: the
    // full-size image, or the largest thumbnail for a person who has none. The file is optional on a
    // phone; whatever this answers, `book` keeps its people, and on anything but kReadOk they have no
    // pictures.
    static int ReadPictures(const std::filesystem::path& imagesFile, AddressBook& book,
                            ReadOnlyDatabase::Mode mode = ReadOnlyDatabase::Mode::Copy);
};

// Labels as ABMultiValueLabel stores them.
std::string_view UnwrapAddressBookLabel(std::string_view stored, bool* builtIn);
std::string WrapAddressBookLabel(std::string_view builtInName);

// Birthdays are stored as seconds since 2001-01-01 UTC at midnight of the day.
std::optional<std::string> BirthdayFromAppleSeconds(double seconds);
std::optional<double> AppleSecondsFromBirthday(std::string_view date); // "yyyy-MM-dd"

} // namespace vexa::ios
