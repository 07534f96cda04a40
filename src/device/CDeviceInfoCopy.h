#pragma once

#include <array>
#include <optional>
#include <string>

#include <vexa/VexaRecords.h>

// An owned copy of a device record. The library's record lives only as long as its manager; a page
// that keeps the copy can outlive the manager's release without reading freed memory.
class CDeviceInfoCopy {
public:
    CDeviceInfoCopy() = default;
    explicit CDeviceInfoCopy(const DeviceInfo& info);
    CDeviceInfoCopy(const CDeviceInfoCopy& other);
    CDeviceInfoCopy& operator=(const CDeviceInfoCopy& other);

    // A record whose pointers refer to this copy; valid while the copy lives and is not reassigned.
    const DeviceInfo* Record() const { return &m_record; }

private:
    void Relink();

    std::array<std::optional<std::string>, DP_Count> m_texts;
    DeviceInfo m_record{};
};
