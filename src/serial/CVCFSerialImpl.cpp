#include "CVCFSerialImpl.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Content lines longer than this many octets are folded (RFC 2425, 5.8.1).
constexpr std::size_t kFoldOctets = 75;

using Entry = std::pair<std::string_view, std::string_view>; // (label, value)

struct AddressParts {
    std::string_view label;
    std::array<std::string_view, 5> parts; // street, city, region, postal code, country
};

// The texts of one contact item, gathered from its fields.
struct Card {
    std::string_view name;
    std::string_view firstName;
    std::string_view middleName;
    std::string_view lastName;
    std::string_view nickName;
    std::string_view note;
    std::string_view organization;
    std::string_view department;
    std::string_view jobTitle;
    std::string_view birthday;
    std::vector<Entry> phones;
    std::vector<Entry> emails;
    std::vector<AddressParts> addresses;
    std::vector<Entry> urls;
    std::string_view photo; // base64 JPEG
    bool hasText = false;
};

// The address fields in the order the contact writes them; an "AddressType" starts the next address.
constexpr std::array<std::string_view, 5> kAddressFields = {"Street", "City", "Region", "PostalCode",
                                                            "Country"};

void addAddress(Card& card, const AddressParts& address) {
    for (std::string_view part : address.parts) {
        if (!part.empty()) {
            card.addresses.push_back(address);
            return;
        }
    }
}

Card gather(const CFieldListSerial::FieldList& fields) {
    Card card;
    std::string_view phoneLabel;
    std::string_view emailLabel;
    std::string_view urlLabel;
    AddressParts address;
    for (const CSerialField& field : fields) {
        if (!field.IsText())
            continue;
        const std::string_view value = field.Text();
        const std::string& name = field.Name();
        card.hasText = true;
        if (name == "Name") {
            card.name = value;
        } else if (name == "FirstName") {
            card.firstName = value;
        } else if (name == "MiddleName") {
            card.middleName = value;
        } else if (name == "LastName") {
            card.lastName = value;
        } else if (name == "NickName") {
            card.nickName = value;
        } else if (name == "Note") {
            card.note = value;
        } else if (name == "Type") {
            // A later number without its own label keeps this one.
            phoneLabel = value;
        } else if (name == "PhoneNumber") {
            if (!value.empty())
                card.phones.emplace_back(phoneLabel, value);
        } else if (name == "EmailType") {
            emailLabel = value;
        } else if (name == "Email") {
            if (!value.empty())
                card.emails.emplace_back(emailLabel, value);
        } else if (name == "Organization") {
            card.organization = value;
        } else if (name == "Department") {
            card.department = value;
        } else if (name == "JobTitle") {
            card.jobTitle = value;
        } else if (name == "Birthday") {
            card.birthday = value;
        } else if (name == "AddressType") {
            addAddress(card, address);
            address = AddressParts{value, {}};
        } else if (name == "Photo") {
            card.photo = value;
        } else if (name == "UrlType") {
            urlLabel = value;
        } else if (name == "Url") {
            if (!value.empty())
                card.urls.emplace_back(urlLabel, value);
        } else {
            for (std::size_t part = 0; part < kAddressFields.size(); ++part)
                if (name == kAddressFields[part])
                    address.parts[part] = value;
        }
    }
    addAddress(card, address);
    return card;
}

// TEXT values escape the characters that separate values and lines (RFC 2426, 4).
std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\\':
        case ',':
        case ';':
            out.push_back('\\');
            out.push_back(c);
            break;
        case '\r':
            // CR LF is one line break.
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            [[fallthrough]];
        case '\n':
            out.append("\\n");
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

// The TYPE parameter of a device label: the editor's labels map to the standard types; any other
// label that is a plain token is kept as its own type, others are left to an X-ABLabel line.
std::string_view standardType(std::string_view label) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kTypes = {{
        {"home", "HOME"},
        {"mobile", "CELL"},
        {"work", "WORK"},
        {"work fax", "WORK,FAX"},
        {"home fax", "HOME,FAX"},
        {"other fax", "FAX"},
        {"page", "PAGER"},
        {"other", "OTHER"},
    }};
    for (const auto& [deviceLabel, type] : kTypes)
        if (deviceLabel == label)
            return type;
    return {};
}

bool isToken(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        const bool token =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (!token)
            return false;
    }
    return true;
}

// Appends one content line, folded at 75 octets without splitting a UTF-8 sequence.
void appendLine(std::string& out, std::string_view line) {
    std::size_t width = kFoldOctets;
    while (line.size() > width) {
        std::size_t cut = width;
        while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.substr(0, cut)).append(kLineEnd).push_back(' ');
        line.remove_prefix(cut);
        // The leading space of a continuation counts towards its 75 octets.
        width = kFoldOctets - 1;
    }
    out.append(line).append(kLineEnd);
}

// One typed line (TEL, EMAIL, ADR, URL) with its value already escaped; a label without a standard
// type goes to an Apple-style grouped X-ABLabel.
void appendTyped(std::string& out, std::string_view property, std::string_view baseType,
                 std::string_view label, std::string_view value, int& group) {
    std::string type(baseType);
    std::string_view known = standardType(label);
    if (known.empty() && isToken(label))
        known = label;
    if (!known.empty()) {
        if (!type.empty())
            type += ',';
        type.append(known);
    }
    const std::string prefix = known.empty() && !label.empty() ? "item" + std::to_string(++group) + "." : "";
    std::string line = prefix + std::string(property);
    if (!type.empty())
        line.append(";TYPE=").append(type);
    line.append(":").append(value);
    appendLine(out, line);
    if (!prefix.empty())
        appendLine(out, prefix + "X-ABLabel:" + escaped(label));
}

void appendEntries(std::string& out, std::string_view property, std::string_view baseType,
                   const std::vector<Entry>& entries, int& group) {
    // Numbers too: readers split unescaped commas (a dialling pause) into several values.
    for (const auto& [label, value] : entries)
        appendTyped(out, property, baseType, label, escaped(value), group);
}

// ADR: post office box; extended address; street; locality; region; postal code; country.
std::string addressValue(const AddressParts& address) {
    std::string value = ";";
    for (std::string_view part : address.parts)
        value.append(";").append(escaped(part));
    return value;
}

void appendCard(std::string& out, const Card& card) {
    out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    const bool hasParts = !card.firstName.empty() || !card.middleName.empty() || !card.lastName.empty();
    // N: family; given; additional; prefixes; suffixes. A name without its parts stays whole.
    const std::string_view family = hasParts ? card.lastName : card.name;
    appendLine(out, "N:" + escaped(family) + ";" + escaped(card.firstName) + ";" + escaped(card.middleName) +
                        ";;");
    appendLine(out, "FN:" + escaped(card.name));
    if (!card.nickName.empty())
        appendLine(out, "NICKNAME:" + escaped(card.nickName));
    // ORG: organisation name; unit.
    if (!card.organization.empty() || !card.department.empty())
        appendLine(out, "ORG:" + escaped(card.organization) +
                            (card.department.empty() ? "" : ";" + escaped(card.department)));
    if (!card.jobTitle.empty())
        appendLine(out, "TITLE:" + escaped(card.jobTitle));
    if (!card.birthday.empty())
        appendLine(out, "BDAY:" + escaped(card.birthday));
    int group = 0;
    appendEntries(out, "TEL", "", card.phones, group);
    appendEntries(out, "EMAIL", "INTERNET", card.emails, group);
    for (const AddressParts& address : card.addresses)
        appendTyped(out, "ADR", "", address.label, addressValue(address), group);
    appendEntries(out, "URL", "", card.urls, group);
    if (!card.note.empty())
        appendLine(out, "NOTE:" + escaped(card.note));
    // vCard 3.0 keeps binary values inline, base64 encoded (RFC 2426, 3.1.4).
    if (!card.photo.empty())
        appendLine(out, "PHOTO;ENCODING=b;TYPE=JPEG:" + std::string(card.photo));
    out.append("END:VCARD").append(kLineEnd);
}

} // namespace

bool CVCFSerialImpl::SaveFile(const char* path) const {
    if (!path) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    // Cards are composed in memory and written in one go: a stream insert per piece costs more than
    // the whole file's bytes.
    std::string text;
    for (const FieldList& fields : Items()) {
        const Card card = gather(fields);
        // The category item carries no text: it would be an empty card, which importers reject.
        if (card.hasText)
            appendCard(text, card);
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    // A full disk shows only when the buffer reaches it.
    out.close();
    return !out.fail();
}
