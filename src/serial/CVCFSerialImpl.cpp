#include "CVCFSerialImpl.h"

#include <fstream>
#include <string>
#include <utility>

namespace {

// The card lines are built in fixed buffers: the name lines together, each label and number alone.
constexpr std::size_t kMaxNameBytes = 996;
constexpr std::size_t kMaxTelPartBytes = 99;
constexpr const char* kLineEnd = "\r\n";

std::string_view cut(std::string_view text, std::size_t limit) {
    return text.substr(0, limit);
}

// The label is a bare parameter name, which card readers accept only as a token of letters, digits and
// dashes: "work fax" is written "work-fax" so the card stays readable; token labels stay as stored.
void appendLabel(std::string& out, std::string_view label) {
    for (const char c : label) {
        const bool token =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        out.push_back(token ? c : '-');
    }
}

// Cards are composed in memory and written in one go: a stream insert per piece costs more than
// the whole file's bytes.
void appendCard(std::string& out, const CFieldListSerial::FieldList& fields) {
    out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    std::string_view label;
    std::vector<std::pair<std::string_view, std::string_view>> phones;
    for (const CSerialField& field : fields) {
        if (!field.IsText() || field.Size() == 0) {
            continue;
        }
        if (field.Name() == "Name") {
            const std::string_view name = cut(field.Text(), kMaxNameBytes);
            out.append("FN;CHARSET=UTF-8:").append(name).append(kLineEnd);
            out.append("N;LANGUAGE=en-us;CHARSET=UTF-8:").append(name).append(";;;;").append(kLineEnd);
        } else if (field.Name() == "Type") {
            // A later number without its own label keeps this one.
            label = cut(field.Text(), kMaxTelPartBytes);
        } else if (field.Name() == "PhoneNumber") {
            phones.emplace_back(label, cut(field.Text(), kMaxTelPartBytes));
        }
    }
    for (const auto& [phoneLabel, number] : phones) {
        out.append("TEL;");
        appendLabel(out, phoneLabel);
        out.append(";VOICE;CHARSET=UTF-8:").append(number).append(kLineEnd);
    }
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
    std::string text;
    for (const FieldList& fields : m_items) {
        appendCard(text, fields);
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    // A full disk shows only when the buffer reaches it.
    out.close();
    return !out.fail();
}
