#pragma once

#include <array>
#include <string>

#include <vexa/VexaRecords.h>

// A device record built in the test: every property set to "<its key>-value" unless cleared.
class DeviceRecordFixture {
public:
    DeviceRecordFixture() {
        for (int property = 0; property < DP_Count; ++property) {
            m_texts[property] = std::string(kDevicePropertyNames[property]) + "-value";
            m_info.properties[property] = m_texts[property].c_str();
        }
        m_info.batteryLevel = 87;
    }

    void Set(DeviceProperty property, const char* text) {
        if (!text) {
            m_info.properties[property] = nullptr;
            return;
        }
        m_texts[property] = text;
        m_info.properties[property] = m_texts[property].c_str();
    }
    void SetBattery(int level) { m_info.batteryLevel = level; }
    const DeviceInfo* Info() const { return &m_info; }

private:
    std::array<std::string, DP_Count> m_texts;
    DeviceInfo m_info{};
};
