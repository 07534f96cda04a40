#pragma once

#include <cstdint>
#include <string>

// A writer of one export format. A source pushes its records in as a tree of named items with
// typed, named fields; the writer keeps them until its own SaveFile. Names are NUL-terminated
// UTF-8; a null name makes an operation fail without effect. Callers do not rely on the results.
class IBaseSerial {
public:
    virtual bool BeginItem(const char* name, int index) = 0;
    virtual bool EndItem() = 0;
    virtual bool WriteBool(const char* name, bool value) = 0;
    virtual bool WriteChar(const char* name, std::int8_t value) = 0;
    virtual bool WriteUChar(const char* name, std::uint8_t value) = 0;
    virtual bool WriteShort(const char* name, std::int16_t value) = 0;
    virtual bool WriteUShort(const char* name, std::uint16_t value) = 0;
    virtual bool WriteInt(const char* name, std::int32_t value) = 0;
    virtual bool WriteUInt(const char* name, std::uint32_t value) = 0;
    virtual bool WriteInt64(const char* name, std::int64_t value) = 0;
    virtual bool WriteUInt64(const char* name, std::uint64_t value) = 0;
    virtual bool WriteFloat(const char* name, float value) = 0;
    virtual bool WriteDouble(const char* name, double value) = 0;
    virtual bool WriteString(const char* name, const char* value) = 0;
    virtual bool EnterItem(const char* name, int index) = 0;
    virtual bool LeaveItem() = 0;
    virtual bool ReadBool(const char* name) = 0;
    virtual std::int8_t ReadChar(const char* name) = 0;
    virtual std::uint8_t ReadUChar(const char* name) = 0;
    virtual std::int16_t ReadShort(const char* name) = 0;
    virtual std::uint16_t ReadUShort(const char* name) = 0;
    virtual std::int32_t ReadInt(const char* name) = 0;
    virtual std::uint32_t ReadUInt(const char* name) = 0;
    virtual std::int64_t ReadInt64(const char* name) = 0;
    virtual std::uint64_t ReadUInt64(const char* name) = 0;
    virtual float ReadFloat(const char* name) = 0;
    virtual double ReadDouble(const char* name) = 0;
    virtual std::string ReadString(const char* name) = 0;
    virtual ~IBaseSerial() = default;
};
