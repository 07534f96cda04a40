#include "LockdownValues.h"

#include <chrono>
#include <sstream>

#include "EmulatedDevice.h"
#include "sim/DiskUsage.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

using formats::PlistPtr;

namespace {

// device.json keeps every property as text; lockdown gives some of them their natural types.
plist_t typedProperty(const std::string& key, const std::string& text) {
    if (text == "true" || text == "false")
        return plist_new_bool(text == "true");
    if (key == "UniqueChipID" || key == "BasebandChipId")
        return plist_new_uint(std::strtoull(text.c_str(), nullptr, 10));
    if (key == "TimeZoneOffsetFromUTC")
        return plist_new_real(std::strtod(text.c_str(), nullptr));
    if (key == "SupportedDeviceFamilies") {
        plist_t families = plist_new_array();
        std::istringstream in(text);
        for (std::string item; std::getline(in, item, ',');)
            plist_array_append_item(families, plist_new_uint(std::strtoull(item.c_str(), nullptr, 10)));
        return families;
    }
    return plist_new_string(text.c_str());
}

void setUint(plist_t dict, const char* key, uint64_t value) {
    plist_dict_set_item(dict, key, plist_new_uint(value));
}

PlistPtr properties(EmulatedDevice& device) {
    const sim::DeviceInfoFile info = device.Sim().Info();
    PlistPtr values(plist_new_dict());
    for (const auto& [key, text] : info.profile.properties)
        plist_dict_set_item(values.get(), key.c_str(), typedProperty(key, text));
    // The device's clock, read when asked: seconds since 1970 with their fraction, as a phone answers.
    const std::chrono::duration<double> now = std::chrono::system_clock::now().time_since_epoch();
    plist_dict_set_item(values.get(), "TimeIntervalSince1970", plist_new_real(now.count()));
    const std::vector<uint8_t> publicKey = device.Identity().PublicKeyPem();
    plist_dict_set_item(values.get(), "DevicePublicKey",
                        plist_new_data(reinterpret_cast<const char*>(publicKey.data()), publicKey.size()));
    return values;
}

PlistPtr diskUsage(EmulatedDevice& device) {
    DiskInfo disk{};
    sim::DiskUsage::Measure(device.Sim()).FillDiskInfo(device.Sim(), disk);
    PlistPtr values(plist_new_dict());
    plist_t dict = values.get();
    setUint(dict, "TotalDiskCapacity", disk.values[DI_DataCapacity] + disk.values[DI_SystemCapacity]);
    setUint(dict, "TotalDataCapacity", disk.values[DI_DataCapacity]);
    setUint(dict, "TotalDataAvailable", disk.values[DI_DataFree]);
    setUint(dict, "AmountDataAvailable", disk.values[DI_DataFree]);
    setUint(dict, "AmountDataReserved", 0);
    setUint(dict, "TotalSystemCapacity", disk.values[DI_SystemCapacity]);
    setUint(dict, "TotalSystemAvailable", disk.values[DI_SystemFree]);
    setUint(dict, "MobileApplicationUsage", disk.values[DI_Apps]);
    setUint(dict, "CameraUsage", disk.values[DI_Photos]);
    setUint(dict, "MusicUsage", disk.values[DI_Music]);
    setUint(dict, "VideoUsage", disk.values[DI_Video]);
    setUint(dict, "BooksUsage", disk.values[DI_Books]);
    setUint(dict, "DocumentsUsage", disk.values[DI_Documents]);
    setUint(dict, "OtherUsage", disk.values[DI_Other]);
    return values;
}

PlistPtr battery(EmulatedDevice& device) {
    const int level = device.Sim().Info().profile.batteryLevel;
    PlistPtr values(plist_new_dict());
    plist_t dict = values.get();
    setUint(dict, "BatteryCurrentCapacity", static_cast<uint64_t>(level < 0 ? 0 : level));
    plist_dict_set_item(dict, "BatteryIsCharging", plist_new_bool(level < 100));
    plist_dict_set_item(dict, "ExternalChargeCapable", plist_new_bool(1));
    plist_dict_set_item(dict, "ExternalConnected", plist_new_bool(1));
    plist_dict_set_item(dict, "FullyCharged", plist_new_bool(level >= 100));
    plist_dict_set_item(dict, "HasBattery", plist_new_bool(1));
    return values;
}

PlistPtr backupSettings(EmulatedDevice& device) {
    PlistPtr values(plist_new_dict());
    plist_dict_set_item(values.get(), "WillEncrypt",
                        plist_new_bool(!device.Sim().Info().backupPassword.empty()));
    return values;
}

} // namespace

PlistPtr LockdownValues::domainValues(EmulatedDevice& device, const std::string& domain) {
    if (domain.empty())
        return properties(device);
    if (domain == "com.apple.disk_usage")
        return diskUsage(device);
    if (domain == "com.apple.mobile.battery")
        return battery(device);
    if (domain == "com.apple.mobile.backup")
        return backupSettings(device);
    return nullptr;
}

PlistPtr LockdownValues::Get(EmulatedDevice& device, const std::string& domain, const std::string& key) {
    PlistPtr values = domainValues(device, domain);
    if (!values || key.empty())
        return values;
    plist_t value = plist_dict_get_item(values.get(), key.c_str());
    return value ? PlistPtr(plist_copy(value)) : nullptr;
}

bool LockdownValues::Set(EmulatedDevice& device, const std::string& domain, const std::string& key,
                         plist_t value) {
    if (!domain.empty() || key != "DeviceName" || !value || plist_get_node_type(value) != PLIST_STRING)
        return false;
    const std::string name = formats::Plist::StringValue(value);
    if (name.empty())
        return false;
    return device.Sim().UpdateInfo(
               [&name](sim::DeviceInfoFile& info) { info.profile.properties["DeviceName"] = name; }) == 0;
}

} // namespace vexa::emulator
