#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <QString>

#include "IBaseChunk.h"

class IVexaManager;

// One contact of a device's address book. Besides what the table shows it keeps every field the device
// lists, so that the editor can show them again and a save does not drop the ones it does not show.
class CContactChunk : public IBaseChunk {
public:
    using Entry = std::pair<std::string, std::string>; // (label, number or address)
    struct Address {
        std::string label, street, city, region, postalCode, country;
        bool operator==(const Address&) const = default;
    };

    explicit CContactChunk(IVexaManager* manager);

    void Reset() override;
    // One "Item": "id", "Name", the name parts, "NickName", "Note", "Organization", "Department",
    // "JobTitle" and "Birthday", then "Type" and "PhoneNumber" for every phone, "EmailType" and "Email"
    // for every e-mail address, "AddressType", "Street", "City", "Region", "PostalCode" and "Country"
    // for every postal address and "UrlType" and "Url" for every web address, in order.
    void Serialize(IBaseSerial* writer) override;
    // Reads back the id and the name of the first "Item".
    void Deserialize(IBaseSerial* writer) override;
    // Always true: a contact the device could not delete still leaves the table.
    bool DeleteFromDevice() override;

    IVexaManager* Manager() const { return m_manager; }
    // Rebuilds the table texts below from the fields; call after changing them.
    void UpdateTexts();

    // What the table shows, kept ready: sorting and searching ask for them many times a row.
    QString nameText;
    QString numbersText; // every number, joined by "; "
    QString groupsText;  // empty when in no group
    // Places of nameText and numbersText in the natural order of the whole list, worked out off the GUI
    // thread so that sorting compares numbers; -1 when unknown (the texts changed since).
    int nameRank = -1;
    int numbersRank = -1;

    // The name shown in the table and exported as "Name".
    std::string displayName;
    // The group names, separated by single spaces; empty when in none.
    std::string groups;
    // The same groups one by one (names may hold spaces themselves).
    std::vector<std::string> groupNames;
    std::string firstName;
    std::string middleName;
    std::string lastName;
    std::string nickName;
    std::string note;
    std::string picture; // JPEG bytes; empty for none
    std::vector<Entry> phones;
    // E-mail addresses, same shape as the phones.
    std::vector<Entry> secondList;
    std::string organization;
    std::string department;
    std::string jobTitle;
    std::string birthday; // "yyyy-MM-dd" or empty
    std::vector<Address> addresses;
    std::vector<Entry> urls;

private:
    IVexaManager* m_manager;
};
