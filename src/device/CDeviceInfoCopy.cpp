#include "CDeviceInfoCopy.h"

CDeviceInfoCopy::CDeviceInfoCopy(const DeviceInfo& info) {
    for (int property = 0; property < DP_Count; ++property) {
        if (info.properties[property])
            m_texts[property] = std::string(info.properties[property]);
    }
    m_record.batteryLevel = info.batteryLevel;
    Relink();
}

CDeviceInfoCopy::CDeviceInfoCopy(const CDeviceInfoCopy& other)
    : m_texts(other.m_texts) {
    m_record.batteryLevel = other.m_record.batteryLevel;
    Relink();
}

CDeviceInfoCopy& CDeviceInfoCopy::operator=(const CDeviceInfoCopy& other) {
    if (this != &other) {
        m_texts = other.m_texts;
        m_record.batteryLevel = other.m_record.batteryLevel;
        Relink();
    }
    return *this;
}

void CDeviceInfoCopy::Relink() {
    for (int property = 0; property < DP_Count; ++property)
        m_record.properties[property] = m_texts[property] ? m_texts[property]->c_str() : nullptr;
}
