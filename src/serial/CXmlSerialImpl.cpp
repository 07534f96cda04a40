#include "CXmlSerialImpl.h"

#include "Utf8Repair.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

TiXmlElement* nthChildNamed(TiXmlNode* parent, const char* name, int index) {
    TiXmlElement* child = parent->FirstChildElement(name);
    for (int i = 0; child && i < index; ++i) {
        child = child->NextSiblingElement(name);
    }
    return child;
}

} // namespace

bool CXmlSerialImpl::BeginItem(const char* name, int index) {
    if (!name) {
        return false;
    }
    const TiXmlElement element(name);
    TiXmlNode* inserted = nullptr;
    if (m_writeStack.empty()) {
        inserted = m_document.InsertEndChild(element);
    } else {
        TiXmlElement* current = m_writeStack.back();
        TiXmlElement* before = index >= 0 ? nthChildNamed(current, name, index) : nullptr;
        inserted = before ? current->InsertBeforeChild(before, element) : current->InsertEndChild(element);
    }
    TiXmlElement* pushed = inserted ? inserted->ToElement() : nullptr;
    if (!pushed) {
        return false;
    }
    m_writeStack.push_back(pushed);
    return true;
}

bool CXmlSerialImpl::EndItem() {
    if (m_writeStack.empty()) {
        return false;
    }
    m_writeStack.pop_back();
    return true;
}

bool CXmlSerialImpl::setAttribute(const char* name, const std::string& value) {
    if (!name || m_writeStack.empty()) {
        return false;
    }
    // An element holds each attribute name once: a repeated field (a contact's second number) is
    // numbered instead of replacing the first, so no value is lost.
    TiXmlElement* element = m_writeStack.back();
    std::string unique = name;
    for (int count = 2; element->Attribute(unique.c_str()); ++count)
        unique = name + std::to_string(count);
    element->SetAttribute(unique.c_str(), value.c_str());
    return true;
}

bool CXmlSerialImpl::WriteBool(const char* name, bool value) {
    return setAttribute(name, value ? "true" : "false");
}
bool CXmlSerialImpl::WriteChar(const char* name, std::int8_t value) {
    return WriteInt(name, value);
}
bool CXmlSerialImpl::WriteUChar(const char* name, std::uint8_t value) {
    return WriteInt(name, value);
}
bool CXmlSerialImpl::WriteShort(const char* name, std::int16_t value) {
    return WriteInt(name, value);
}
bool CXmlSerialImpl::WriteUShort(const char* name, std::uint16_t value) {
    return WriteInt(name, value);
}
bool CXmlSerialImpl::WriteInt(const char* name, std::int32_t value) {
    return setAttribute(name, std::to_string(value));
}
bool CXmlSerialImpl::WriteUInt(const char* name, std::uint32_t value) {
    return setAttribute(name, std::to_string(value));
}
bool CXmlSerialImpl::WriteInt64(const char* name, std::int64_t value) {
    return setAttribute(name, std::to_string(value));
}
bool CXmlSerialImpl::WriteUInt64(const char* name, std::uint64_t value) {
    return setAttribute(name, std::to_string(value));
}
bool CXmlSerialImpl::WriteFloat(const char* name, float value) {
    return WriteDouble(name, value);
}

bool CXmlSerialImpl::WriteDouble(const char* name, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%lf", value);
    return setAttribute(name, buffer);
}

bool CXmlSerialImpl::WriteString(const char* name, const char* value) {
    return setAttribute(name, RepairUtf8(value).c_str());
}

bool CXmlSerialImpl::EnterItem(const char* name, int index) {
    if (!name) {
        return false;
    }
    TiXmlNode* from = m_readStack.empty() ? static_cast<TiXmlNode*>(&m_document) : m_readStack.back();
    TiXmlElement* child = from->FirstChildElement(name);
    if (!child) {
        return false;
    }
    for (int i = 0; i < index; ++i) {
        TiXmlElement* next = child->NextSiblingElement(name);
        if (!next) {
            break;
        }
        child = next;
    }
    m_readStack.push_back(child);
    return true;
}

bool CXmlSerialImpl::LeaveItem() {
    if (m_readStack.empty()) {
        return false;
    }
    m_readStack.pop_back();
    return true;
}

const char* CXmlSerialImpl::readAttribute(const char* name) const {
    if (!name || m_readStack.empty()) {
        return nullptr;
    }
    return m_readStack.back()->Attribute(name);
}

bool CXmlSerialImpl::ReadBool(const char* name) {
    const char* text = readAttribute(name);
    return text && std::string_view(text) == "true";
}

std::int8_t CXmlSerialImpl::ReadChar(const char* name) {
    return static_cast<std::int8_t>(ReadInt(name));
}
std::uint8_t CXmlSerialImpl::ReadUChar(const char* name) {
    return static_cast<std::uint8_t>(ReadInt(name));
}
std::int16_t CXmlSerialImpl::ReadShort(const char* name) {
    return static_cast<std::int16_t>(ReadInt(name));
}
std::uint16_t CXmlSerialImpl::ReadUShort(const char* name) {
    return static_cast<std::uint16_t>(ReadInt(name));
}

std::int32_t CXmlSerialImpl::ReadInt(const char* name) {
    const char* text = readAttribute(name);
    return text ? std::atoi(text) : 0;
}

std::uint32_t CXmlSerialImpl::ReadUInt(const char* name) {
    const char* text = readAttribute(name);
    unsigned value = 0;
    return text && std::sscanf(text, "%u", &value) == 1 ? value : 0;
}

std::int64_t CXmlSerialImpl::ReadInt64(const char* name) {
    const char* text = readAttribute(name);
    long long value = 0;
    return text && std::sscanf(text, "%lld", &value) == 1 ? value : 0;
}

std::uint64_t CXmlSerialImpl::ReadUInt64(const char* name) {
    const char* text = readAttribute(name);
    unsigned long long value = 0;
    return text && std::sscanf(text, "%llu", &value) == 1 ? value : 0;
}

float CXmlSerialImpl::ReadFloat(const char* name) {
    return static_cast<float>(ReadDouble(name));
}

double CXmlSerialImpl::ReadDouble(const char* name) {
    const char* text = readAttribute(name);
    return text ? std::atof(text) : 0.0;
}

std::string CXmlSerialImpl::ReadString(const char* name) {
    const char* text = readAttribute(name);
    return text ? text : "";
}

bool CXmlSerialImpl::SaveFile(const char* path) {
    if (!path) {
        return false;
    }
    // TinyXML's own SaveFile writes LF; the files need CR LF and four-space indentation.
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\r\n");
    m_document.Accept(&printer);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(printer.CStr(), static_cast<std::streamsize>(printer.Size()));
    return static_cast<bool>(out);
}
