#include "CFieldListSerial.h"

#include "Utf8Repair.h"

template <typename T> bool CFieldListSerial::append(const char* name, SerialFieldType type, T value) {
    if (!name) {
        return false;
    }
    return appendField(name, CSerialField(name, type, &value, sizeof value));
}

bool CFieldListSerial::appendField(const char* name, CSerialField field) {
    FieldList* fields = name ? CurrentFields() : nullptr;
    if (!fields) {
        return false;
    }
    fields->push_back(std::move(field));
    return true;
}

bool CFieldListSerial::WriteBool(const char* name, bool value) {
    return append(name, SerialFieldType::Bool, value);
}
bool CFieldListSerial::WriteChar(const char* name, std::int8_t value) {
    return append(name, SerialFieldType::Char, value);
}
bool CFieldListSerial::WriteUChar(const char* name, std::uint8_t value) {
    return append(name, SerialFieldType::UChar, value);
}
bool CFieldListSerial::WriteShort(const char* name, std::int16_t value) {
    return append(name, SerialFieldType::Short, value);
}
bool CFieldListSerial::WriteUShort(const char* name, std::uint16_t value) {
    return append(name, SerialFieldType::UShort, value);
}
bool CFieldListSerial::WriteInt(const char* name, std::int32_t value) {
    return append(name, SerialFieldType::Int, value);
}
bool CFieldListSerial::WriteUInt(const char* name, std::uint32_t value) {
    return append(name, SerialFieldType::UInt, value);
}
bool CFieldListSerial::WriteInt64(const char* name, std::int64_t value) {
    return append(name, SerialFieldType::Int64, value);
}
bool CFieldListSerial::WriteUInt64(const char* name, std::uint64_t value) {
    return append(name, SerialFieldType::UInt64, value);
}
bool CFieldListSerial::WriteFloat(const char* name, float value) {
    return append(name, SerialFieldType::Float, value);
}
bool CFieldListSerial::WriteDouble(const char* name, double value) {
    return append(name, SerialFieldType::Double, value);
}

bool CFieldListSerial::WriteString(const char* name, const char* value) {
    if (!name)
        return false;
    if (!value)
        return appendField(name, CSerialField::FromString(name, nullptr));
    return appendField(name, CSerialField::FromString(name, RepairUtf8(value).c_str()));
}

bool CFieldListSerial::EnterItem(const char*, int) {
    return true;
}
bool CFieldListSerial::LeaveItem() {
    return true;
}
bool CFieldListSerial::ReadBool(const char*) {
    return true;
}
std::int8_t CFieldListSerial::ReadChar(const char*) {
    return 0;
}
std::uint8_t CFieldListSerial::ReadUChar(const char*) {
    return 0;
}
std::int16_t CFieldListSerial::ReadShort(const char*) {
    return 0;
}
std::uint16_t CFieldListSerial::ReadUShort(const char*) {
    return 0;
}
std::int32_t CFieldListSerial::ReadInt(const char*) {
    return 0;
}
std::uint32_t CFieldListSerial::ReadUInt(const char*) {
    return 0;
}
std::int64_t CFieldListSerial::ReadInt64(const char*) {
    return 0;
}
std::uint64_t CFieldListSerial::ReadUInt64(const char*) {
    return 0;
}
float CFieldListSerial::ReadFloat(const char*) {
    return 0;
}
double CFieldListSerial::ReadDouble(const char*) {
    return 0;
}
std::string CFieldListSerial::ReadString(const char*) {
    return {};
}
