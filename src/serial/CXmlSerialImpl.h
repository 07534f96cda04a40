#pragma once

#include "IBaseSerial.h"

#include <tinyxml.h>

#include <vector>

// Writes the item tree as an XML document: items are elements, fields are their attributes.
// The read operations work on the same document.
class CXmlSerialImpl : public IBaseSerial {
public:
    bool BeginItem(const char* name, int index) override;
    bool EndItem() override;
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

    // path is UTF-8. Printed with four-space indentation and CR LF line ends.
    bool SaveFile(const char* path);

private:
    bool setAttribute(const char* name, const std::string& value);
    const char* readAttribute(const char* name) const;

    TiXmlDocument m_document;
    std::vector<TiXmlElement*> m_writeStack;
    std::vector<TiXmlElement*> m_readStack;
};
