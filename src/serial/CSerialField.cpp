#include "CSerialField.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

CSerialField::CSerialField(const char* name, SerialFieldType type, const void* value, std::size_t size)
    : m_name(name)
    , m_type(type)
    , m_value(static_cast<const char*>(value), size) {}

CSerialField CSerialField::FromString(const char* name, const char* text) {
    const std::size_t size = text ? std::strlen(text) + 1 : 0;
    return CSerialField(name, SerialFieldType::String, text ? text : "", size);
}

std::string_view CSerialField::Text() const {
    std::string_view text(m_value);
    if (!text.empty() && text.back() == '\0') {
        text.remove_suffix(1);
    }
    return text;
}

template <typename T> T CSerialField::As() const {
    T value{};
    std::memcpy(&value, m_value.data(), std::min(sizeof(T), m_value.size()));
    return value;
}

static std::string formatDouble(double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%lf", value);
    return buffer;
}

std::string CSerialField::ValueText() const {
    switch (m_type) {
    case SerialFieldType::Bool:
        return As<bool>() ? "1" : "0";
    case SerialFieldType::Char:
        return std::to_string(As<std::int8_t>());
    case SerialFieldType::UChar:
        return std::to_string(As<std::uint8_t>());
    case SerialFieldType::Short:
        return std::to_string(As<std::int16_t>());
    case SerialFieldType::UShort:
        return std::to_string(As<std::uint16_t>());
    case SerialFieldType::Int:
        return std::to_string(As<std::int32_t>());
    case SerialFieldType::UInt:
        return std::to_string(As<std::uint32_t>());
    case SerialFieldType::Int64:
        return std::to_string(As<std::int64_t>());
    case SerialFieldType::UInt64:
        return std::to_string(As<std::uint64_t>());
    case SerialFieldType::Float:
        return formatDouble(As<float>());
    case SerialFieldType::Double:
        return formatDouble(As<double>());
    case SerialFieldType::String:
        return std::string(Text());
    }
    return {};
}
