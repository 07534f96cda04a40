#pragma once

#include "CSerialField.h"
#include "IBaseSerial.h"

#include <vector>

// Common ground of the writers that keep fields in memory and never read back: every write
// operation appends a stored field to the list CurrentFields() names, and the read operations
// give fixed answers.
class CFieldListSerial : public IBaseSerial {
public:
    using FieldList = std::vector<CSerialField>;

    bool WriteBool(const char* name, bool value) override;
    bool WriteChar(const char* name, std::int8_t value) override;
    bool WriteUChar(const char* name, std::uint8_t value) override;
    bool WriteShort(const char* name, std::int16_t value) override;
    bool WriteUShort(const char* name, std::uint16_t value) override;
    bool WriteInt(const char* name, std::int32_t value) override;
    bool WriteUInt(const char* name, std::uint32_t value) override;
    bool WriteInt64(const char* name, std::int64_t value) override;
    bool WriteUInt64(const char* name, std::uint64_t value) override;
    bool WriteFloat(const char* name, float value) override;
    bool WriteDouble(const char* name, double value) override;
    bool WriteString(const char* name, const char* value) override;

    bool EnterItem(const char* name, int index) override;
    bool LeaveItem() override;
    bool ReadBool(const char* name) override;
    std::int8_t ReadChar(const char* name) override;
    std::uint8_t ReadUChar(const char* name) override;
    std::int16_t ReadShort(const char* name) override;
    std::uint16_t ReadUShort(const char* name) override;
    std::int32_t ReadInt(const char* name) override;
    std::uint32_t ReadUInt(const char* name) override;
    std::int64_t ReadInt64(const char* name) override;
    std::uint64_t ReadUInt64(const char* name) override;
    float ReadFloat(const char* name) override;
    double ReadDouble(const char* name) override;
    std::string ReadString(const char* name) override;

protected:
    // The field list of the item being written, or null when there is none.
    virtual FieldList* CurrentFields() = 0;

private:
    template <typename T> bool append(const char* name, SerialFieldType type, T value);
    bool appendField(const char* name, CSerialField field);
};
