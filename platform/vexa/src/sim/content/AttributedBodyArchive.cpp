#include "AttributedBodyArchive.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vexa::sim {

namespace {

// Typedstream writing: a value is preceded by its type string; type strings and class names are shared
// strings, objects, classes and C strings shared objects, each kind numbered from 0 in the order
// written and written again as a reference: the number less 110 as an integer (0x92 for the first).
class TypedStream {
public:
    void Byte(uint8_t value) { m_out.push_back(char(value)); }
    void Bytes(std::string_view bytes) { m_out.append(bytes); }

    // Small values are one byte; larger ones a 0x81 or 0x82 tag and 2 or 4 bytes, little-endian.
    void Integer(int64_t value) {
        if (value >= -110 && value < 0x80) {
            Byte(uint8_t(int8_t(value)));
            return;
        }
        const int width = value >= INT16_MIN && value <= INT16_MAX ? 2 : 4;
        Byte(width == 2 ? 0x81 : 0x82);
        for (int i = 0; i < width; ++i)
            Byte(uint8_t(uint64_t(value) >> (8 * i)));
    }

    void SharedString(std::string_view text) {
        for (size_t i = 0; i < m_strings.size(); ++i) {
            if (m_strings[i] == text) {
                Reference(i);
                return;
            }
        }
        m_strings.emplace_back(text);
        Byte(kNew);
        Integer(int64_t(text.size()));
        Bytes(text);
    }

    // A C string value (type "*"): a new entry of the object table holding a shared string.
    void CString(std::string_view text) {
        Byte(kNew);
        m_objects.emplace_back();
        SharedString(text);
    }

    // A new object of `chain` (the class first, then its superclasses down to NSObject); classes already
    // written are referred to.
    void BeginObject(std::initializer_list<std::pair<std::string_view, int>> chain) {
        Byte(kNew);
        m_objects.emplace_back(); // the object itself
        for (const auto& [name, version] : chain) {
            for (size_t i = 0; i < m_objects.size(); ++i) {
                if (m_objects[i] == name) {
                    Reference(i);
                    return;
                }
            }
            Byte(kNew);
            m_objects.emplace_back(name);
            SharedString(name);
            Integer(version);
        }
        Byte(kNil);
    }
    void EndObject() { Byte(kEnd); }
    void Reference(size_t number) { Integer(int64_t(number) - kReferenceBias); }

    std::string Take() { return std::move(m_out); }

private:
    static constexpr uint8_t kNew = 0x84;
    static constexpr uint8_t kNil = 0x85;
    static constexpr uint8_t kEnd = 0x86;
    static constexpr int64_t kReferenceBias = 110;

    std::string m_out;
    std::vector<std::string> m_strings;
    std::vector<std::string> m_objects; // class names; empty for an instance
};

size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            units += c >= 0xF0 ? 2 : 1; // characters beyond the first plane take a surrogate pair
    }
    return units;
}

} // namespace

std::string ArchiveAttributedBody(std::string_view utf8) {
    TypedStream stream;
    stream.Byte(4); // streamer version
    stream.Integer(11);
    stream.Bytes("streamtyped");
    stream.Integer(1000); // system version

    stream.SharedString("@");
    stream.BeginObject({{"NSMutableAttributedString", 0}, {"NSAttributedString", 0}, {"NSObject", 0}});
    // The string: its bytes after the "+" type.
    stream.SharedString("@");
    stream.BeginObject({{"NSString", 1}, {"NSObject", 0}});
    stream.SharedString("+");
    stream.Integer(int64_t(utf8.size()));
    stream.Bytes(utf8);
    stream.EndObject();
    // One run: attribute dictionary 1 over the whole text, counted in UTF-16 units.
    stream.SharedString("iI");
    stream.Integer(1);
    stream.Integer(int64_t(Utf16Length(utf8)));
    stream.SharedString("@");
    stream.BeginObject({{"NSDictionary", 0}, {"NSObject", 0}});
    stream.SharedString("i");
    stream.Integer(1); // one entry
    stream.SharedString("@");
    stream.BeginObject({{"NSString", 1}, {"NSObject", 0}});
    stream.SharedString("+");
    constexpr std::string_view kPartAttribute = "__kIMMessagePartAttributeName";
    stream.Integer(int64_t(kPartAttribute.size()));
    stream.Bytes(kPartAttribute);
    stream.EndObject();
    stream.SharedString("@");
    stream.BeginObject({{"NSNumber", 0}, {"NSValue", 0}, {"NSObject", 0}});
    stream.SharedString("*");
    stream.CString("i"); // the number's type, then its value: part 0
    stream.SharedString("i");
    stream.Integer(0);
    stream.EndObject();
    stream.EndObject(); // the dictionary
    stream.EndObject(); // the attributed string
    return stream.Take();
}

} // namespace vexa::sim
