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

void writeCard(std::ofstream& out, const CFieldListSerial::FieldList& fields) {
    out << "BEGIN:VCARD" << kLineEnd << "VERSION:3.0" << kLineEnd;
    std::string_view label;
    std::vector<std::pair<std::string_view, std::string_view>> phones;
    for (const CSerialField& field : fields) {
        if (!field.IsText() || field.Size() == 0) {
            continue;
        }
        if (field.Name() == "Name") {
            const std::string_view name = cut(field.Text(), kMaxNameBytes);
            out << "FN;CHARSET=UTF-8:" << name << kLineEnd;
            out << "N;LANGUAGE=en-us;CHARSET=UTF-8:" << name << ";;;;" << kLineEnd;
        } else if (field.Name() == "Type") {
            // A later number without its own label keeps this one.
            label = cut(field.Text(), kMaxTelPartBytes);
        } else if (field.Name() == "PhoneNumber") {
            phones.emplace_back(label, cut(field.Text(), kMaxTelPartBytes));
        }
    }
    for (const auto& [phoneLabel, number] : phones) {
        out << "TEL;" << phoneLabel << ";VOICE;CHARSET=UTF-8:" << number << kLineEnd;
    }
    out << "END:VCARD" << kLineEnd;
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
    for (const FieldList& fields : m_items) {
        writeCard(out, fields);
    }
    return static_cast<bool>(out);
}
