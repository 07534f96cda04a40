#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Type codes of stored fields, in the order of the writers' write operations.
enum class SerialFieldType : int {
    Bool = 0,
    Char = 1,
    UChar = 2,
    Short = 3,
    UShort = 4,
    Int = 5,
    UInt = 6,
    Int64 = 7,
    UInt64 = 8,
    Float = 9,
    Double = 10,
    String = 11,
};

// One named field with a private copy of its value. Text keeps its bytes plus the terminating NUL
// so Size() counts it; numbers keep their native bytes.
class CSerialField {
public:
    CSerialField(const char* name, SerialFieldType type, const void* value, std::size_t size);
    static CSerialField FromString(const char* name, const char* text);

    const std::string& Name() const { return m_name; }
    SerialFieldType Type() const { return m_type; }
    std::size_t Size() const { return m_value.size(); }
    bool IsText() const { return m_type == SerialFieldType::String; }
    // The text without its terminating NUL; only meaningful for text fields.
    std::string_view Text() const;
    // The value as people read it: bool 1/0, decimals in full, floating point with six decimals.
    std::string ValueText() const;

private:
    template <typename T> T As() const;

    std::string m_name;
    SerialFieldType m_type;
    std::string m_value;
};
