#include "CVCFSerialImpl.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Content lines longer than this many octets are folded (RFC 2425, 5.8.1).
constexpr std::size_t kFoldOctets = 75;

using Entry = std::pair<std::string_view, std::string_view>; // (label, value)

// The texts of one contact item, gathered from its fields.
struct Card {
    std::string_view name;
    std::string_view firstName;
    std::string_view middleName;
    std::string_view lastName;
    std::string_view nickName;
    std::string_view note;
    std::vector<Entry> phones;
    std::vector<Entry> emails;
    bool hasText = false;
};

Card gather(const CFieldListSerial::FieldList& fields) {
    Card card;
    std::string_view phoneLabel;
    std::string_view emailLabel;
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
        }
    }
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

// TEL and EMAIL lines; a label without a standard type goes to an Apple-style grouped X-ABLabel.
void appendEntries(std::string& out, std::string_view property, std::string_view baseType,
                   const std::vector<Entry>& entries, int& group) {
    for (const auto& [label, value] : entries) {
        std::string type(baseType);
        std::string_view known = standardType(label);
        if (known.empty() && isToken(label))
            known = label;
        if (!known.empty()) {
            if (!type.empty())
                type += ',';
            type.append(known);
        }
        const std::string prefix =
            known.empty() && !label.empty() ? "item" + std::to_string(++group) + "." : "";
        std::string line = prefix + std::string(property);
        if (!type.empty())
            line.append(";TYPE=").append(type);
        // Numbers too: readers split unescaped commas (a dialling pause) into several values.
        line.append(":").append(escaped(value));
        appendLine(out, line);
        if (!prefix.empty())
            appendLine(out, prefix + "X-ABLabel:" + escaped(label));
    }
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
    int group = 0;
    appendEntries(out, "TEL", "", card.phones, group);
    appendEntries(out, "EMAIL", "INTERNET", card.emails, group);
    if (!card.note.empty())
        appendLine(out, "NOTE:" + escaped(card.note));
    out.append("END:VCARD").append(kLineEnd);
}

} // namespace

bool CVCFSerialImpl::BeginItem(const char* name, int) {
    if (!name) {
        return false;
    }
    m_items.emplace_back();
    return true;
}

bool CVCFSerialImpl::EndItem() {
    return true;
}

CFieldListSerial::FieldList* CVCFSerialImpl::CurrentFields() {
    return m_items.empty() ? nullptr : &m_items.back();
}

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
    for (const FieldList& fields : m_items) {
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
