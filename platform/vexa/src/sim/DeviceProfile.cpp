#include "DeviceProfile.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

namespace vexa::sim {

namespace {

struct ModelFacts {
    const char* productType;
    const char* deviceClass;
    const char* hardwareModel;
    const char* modelNumber;
    const char* productVersion;
    const char* buildVersion;
    const char* cpu;
    const char* families;
    const char* color;
    bool cellular;
    uint64_t capacityGb;
};

// Each model with the values a unit of it reports: its hardware and a model number it was sold under,
// and the last iOS version it ran. Within a family the newest model comes last.
constexpr std::array<ModelFacts, 21> kModels{{
    {"iPhone7,2", "iPhone", "N61AP", "MG472", "12.5.7", "16H81", "arm64", "1", "#e1e4e3", true, 64},
    {"iPhone3,1", "iPhone", "N90AP", "MC603", "7.1.2", "11D257", "armv7", "1", "black", true, 16},
    {"iPhone5,2", "iPhone", "N42AP", "MD660", "10.3.4", "14G61", "armv7s", "1", "#3b3b3c", true, 16},
    {"iPhone5,3", "iPhone", "N48AP", "ME505", "10.3.3", "14G60", "armv7s", "1", "#3b3b3c", true, 16},
    {"iPhone7,1", "iPhone", "N56AP", "MGAF2", "12.5.7", "16H81", "arm64", "1", "#e1e4e3", true, 64},
    {"iPhone8,1", "iPhone", "N71AP", "MKQN2", "15.8", "19H370", "arm64", "1", "#3b3b3c", true, 64},
    {"iPhone10,4", "iPhone", "D201AP", "MQ6J2", "16.7.8", "20H343", "arm64", "1", "#e4e4e2", true, 128},
    {"iPhone10,3", "iPhone", "D22AP", "MQA52", "16.7.8", "20H343", "arm64", "1", "#3b3b3c", true, 64},
    {"iPhone12,1", "iPhone", "N104AP", "MWLT2", "17.7", "21H16", "arm64e", "1", "#1f2020", true, 64},
    {"iPhone13,2", "iPhone", "D53gAP", "MGJ53", "17.7", "21H16", "arm64e", "1", "#1f2020", true, 64},
    {"iPhone14,5", "iPhone", "D17AP", "MLPF3", "17.7", "21H16", "arm64e", "1", "#1f2020", true, 128},
    {"iPhone15,2", "iPhone", "D73AP", "MQ0D3", "17.7", "21H16", "arm64e", "1", "#3b3b3c", true, 128},
    {"iPad4,1", "iPad", "J71AP", "MD785", "12.5.7", "16H81", "arm64", "1,2", "#3b3b3c", false, 32},
    {"iPad6,11", "iPad", "J71sAP", "MP2F2", "16.7.8", "20H343", "arm64", "1,2", "#e1e4e3", false, 32},
    {"iPad7,5", "iPad", "J71bAP", "MR7F2", "17.7", "21H16", "arm64", "1,2", "#e1e4e3", false, 32},
    {"iPad13,18", "iPad", "J271AP", "MPQ03", "17.7", "21H16", "arm64e", "1,2", "#e1e4e3", false, 64},
    {"iPod1,1", "iPod", "N45AP", "MA623", "3.1.3", "7E18", "armv6", "1", "black", false, 8},
    {"iPod2,1", "iPod", "N72AP", "MB528", "4.2.1", "8C148", "armv6", "1", "black", false, 8},
    {"iPod5,1", "iPod", "N78AP", "MD723", "9.3.5", "13G36", "armv7", "1", "#99989b", false, 32},
    {"iPod7,1", "iPod", "N102AP", "MKH22", "12.5.7", "16H81", "arm64", "1", "#3b3b3c", false, 32},
    {"iPod9,1", "iPod", "N112AP", "MVHV2", "15.8", "19H370", "arm64", "1", "#3b3b3c", false, 32},
}};

const ModelFacts& factsFor(const std::string& productType) {
    for (const auto& facts : kModels) {
        if (productType == facts.productType) {
            return facts;
        }
    }
    // An unknown model of a known family is taken for a newer one: it gets the family's newest values.
    const ModelFacts* newest = &kModels.front();
    for (const auto& facts : kModels) {
        if (productType.rfind(facts.deviceClass, 0) == 0) {
            newest = &facts;
        }
    }
    return *newest;
}

// FNV-1a over the identifier, so every value derived from it is stable for a given device.
uint64_t stableHash(const std::string& text, uint64_t salt) {
    uint64_t hash = 1469598103934665603ull ^ salt;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

std::string digits(const std::string& udid, uint64_t salt, int count, const char* alphabet) {
    const std::string letters(alphabet);
    std::string out;
    uint64_t value = stableHash(udid, salt);
    for (int i = 0; i < count; ++i) {
        out += letters[value % letters.size()];
        value = value / letters.size();
        if (value == 0) {
            value = stableHash(udid + out, salt);
        }
    }
    return out;
}

std::string macAddress(const std::string& udid, uint64_t salt) {
    const std::string hex = digits(udid, salt, 12, "0123456789abcdef");
    std::string mac;
    for (size_t i = 0; i < hex.size(); i += 2) {
        mac += (i ? ":" : "") + hex.substr(i, 2);
    }
    return mac;
}

} // namespace

std::string NewUdid(const std::string& seed) {
    std::string udid;
    if (seed.empty()) {
        std::random_device random;
        for (int i = 0; i < 40; ++i) {
            udid += "0123456789abcdef"[random() % 16];
        }
        return udid;
    }
    for (uint64_t part = 0; udid.size() < 40; ++part) {
        char chunk[17];
        std::snprintf(chunk, sizeof chunk, "%016llx",
                      static_cast<unsigned long long>(stableHash(seed, part)));
        udid += chunk;
    }
    return udid.substr(0, 40);
}

DeviceProfile DeviceProfile::Make(const std::string& udid, const std::string& name,
                                  const std::string& productType) {
    const ModelFacts& facts = factsFor(productType);
    const char* upperAlnum = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ";
    const char* decimal = "0123456789";
    DeviceProfile profile;
    auto& p = profile.properties;
    p["DeviceName"] = name;
    p["DeviceClass"] = facts.deviceClass;
    p["ProductType"] = productType;
    p["ProductVersion"] = facts.productVersion;
    p["SerialNumber"] = digits(udid, 1, 12, upperAlnum);
    p["UniqueDeviceID"] = udid;
    p["ModelNumber"] = facts.modelNumber;
    p["BuildVersion"] = facts.buildVersion;
    p["HardwareModel"] = facts.hardwareModel;
    p["DeviceColor"] = facts.color;
    p["RegionInfo"] = "LL/A";
    p["CPUArchitecture"] = facts.cpu;
    p["WiFiAddress"] = macAddress(udid, 2);
    p["BluetoothAddress"] = macAddress(udid, 3);
    p["PartitionType"] = "GUID_partition_scheme";
    p["FirmwareVersion"] = std::string("iBoot-") + (facts.cpu[3] == '6' ? "6723.120.36" : "4513.260.81");
    p["ActivationState"] = "Activated";
    p["ActivationStateAcknowledged"] = "true";
    if (facts.cellular) {
        p["BasebandVersion"] = "7.80.04";
        p["BasebandBootloaderVersion"] = "5.0.0";
        p["BasebandChipId"] = "7282913";
        p["BasebandGoldCertId"] = "3255536192";
        p["ICCID"] = "8901410" + digits(udid, 4, 12, decimal);
        p["IMEI"] = "35" + digits(udid, 5, 13, decimal);
        p["IMSI"] = "310410" + digits(udid, 6, 9, decimal);
        p["MobileSubscriberCountryCode"] = "310";
        p["MobileSubscriberNetworkCode"] = "410";
        p["PhoneNumber"] = "+1 (415) 555-" + digits(udid, 7, 4, decimal);
        p["SIMStatus"] = "kCTSIMSupportSIMStatusReady";
    }
    p["MLBSerialNumber"] = digits(udid, 8, 17, upperAlnum);
    p["PasswordProtected"] = "false";
    p["ProductionSOC"] = "true";
    p["ProtocolVersion"] = "2";
    p["SDIOProductInfo"] = std::string(facts.hardwareModel) + " " + facts.modelNumber;
    p["SoftwareBundleVersion"] = facts.buildVersion;
    p["SupportedDeviceFamilies"] = facts.families;
    p["SomebodySetTimeZone"] = "true";
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    p["TimeIntervalSince1970"] =
        std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now).count());
    p["TimeZone"] = "America/Los_Angeles";
    p["TimeZoneOffsetFromUTC"] = "-28800";
    p["UniqueChipID"] = std::to_string(stableHash(udid, 9) % 10000000000000ull);
    p["Uses24HourClock"] = "false";
    p["iTunesHasConnected"] = "true";

    profile.batteryLevel = 40 + static_cast<int>(stableHash(udid, 10) % 60);
    profile.dataCapacity = facts.capacityGb * 1000000000ull - 4000000000ull;
    profile.systemCapacity = 4000000000ull;
    profile.systemFree = 1200000000ull + stableHash(udid, 11) % 400000000ull;
    return profile;
}

} // namespace vexa::sim
