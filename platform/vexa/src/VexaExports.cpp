#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>

#include <vexa/BackupDevice.h>
#include <vexa/PresentDevices.h>
#include <vexa/VexaResult.h>
#include <vexa/vexa.h>

#include <openssl/crypto.h>

#include "BackendChoice.h"
#include "backup/BackupManager.h"
#include "sim/DeviceRegistry.h"
#include "sim/SimBackend.h"
#include "sim/SimManager.h"
#include "usb/UsbBackend.h"
#include "usb/UsbManager.h"

extern "C" const char* const kDevicePropertyNames[DP_Count] = {
    "DeviceName",
    "DeviceClass",
    "ProductType",
    "ProductVersion",
    "SerialNumber",
    "UniqueDeviceID",
    "ModelNumber",
    "BuildVersion",
    "HardwareModel",
    "DeviceColor",
    "RegionInfo",
    "CPUArchitecture",
    "WiFiAddress",
    "BluetoothAddress",
    "PartitionType",
    "FirmwareVersion",
    "ActivationState",
    "ActivationStateAcknowledged",
    "BasebandVersion",
    "BasebandBootloaderVersion",
    "BasebandChipId",
    "BasebandGoldCertId",
    "ICCID",
    "IMEI",
    "IMSI",
    "MLBSerialNumber",
    "MobileSubscriberCountryCode",
    "MobileSubscriberNetworkCode",
    "PasswordProtected",
    "PhoneNumber",
    "ProductionSOC",
    "ProtocolVersion",
    "SDIOProductInfo",
    "SIMStatus",
    "SoftwareBundleVersion",
    "SupportedDeviceFamilies",
    "SomebodySetTimeZone",
    "TimeIntervalSince1970",
    "TimeZone",
    "TimeZoneOffsetFromUTC",
    "UniqueChipID",
    "Uses24HourClock",
    "iTunesHasConnected",
};

namespace {

// Managers handed out and not yet released: releasing an unknown or already released pointer is
// refused instead of freeing memory twice.
struct LiveManagers {
    std::mutex mutex;
    std::set<IVexaManager*> managers;
};

LiveManagers& liveManagers() {
    // Never destroyed: a listener callback may still take or release a manager while the process exits,
    // until the backends' threads are joined by their own destructors.
    static auto* live = new LiveManagers;
    return *live;
}

void keepLive(IVexaManager* manager) {
    auto& live = liveManagers();
    std::lock_guard lock(live.mutex);
    live.managers.insert(manager);
}

// Backups take handles far above those the backends count up from, so the two never meet.
constexpr int kFirstBackupHandle = 1 << 28;
std::atomic<int> s_nextBackupHandle{kFirstBackupHandle};

} // namespace

IVexaManager* OpenBackupDevice(std::unique_ptr<BackupContent> content) {
    if (!content || content->Folder().empty())
        return nullptr;
    auto* manager = new vexa::backup::BackupManager(std::move(content), s_nextBackupHandle++);
    keepLive(manager);
    return manager;
}

bool IsBackupDeviceHandle(int deviceHandle) {
    return deviceHandle >= kFirstBackupHandle && deviceHandle < s_nextBackupHandle.load();
}

extern "C" {

int IOSInitialize() {
    // The usb backend's threads may still be inside a TLS session with a device while the process exits;
    // OpenSSL's own exit handler would free the locks under them. Without the handler the system takes
    // the memory back instead.
    OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr);
    auto& usb = vexa::usb::UsbBackend::Instance();
    if (vexa::ChooseBackend() == vexa::Backend::Usb) {
        vexa::sim::SimBackend::Instance().Suspend();
        return usb.Start();
    }
    usb.Stop();
    return vexa::sim::SimBackend::Instance().Initialize();
}

int IOSListener(VexaListenerCallback callback) {
    // Both backends keep the callback; only the one in use has devices to report.
    vexa::usb::UsbBackend::Instance().SetCallback(callback);
    return vexa::sim::SimBackend::Instance().SetCallback(callback);
}

IVexaManager* GetVexaManager() {
    IVexaManager* manager = nullptr;
    if (vexa::usb::UsbBackend::Instance().IsActive()) {
        manager = new vexa::usb::UsbManager();
    } else {
        manager = new vexa::sim::SimManager(vexa::sim::SimBackend::Instance().Registry());
    }
    keepLive(manager);
    return manager;
}

int IsWiFiConnect(int deviceHandle) {
    if (IsBackupDeviceHandle(deviceHandle)) {
        return 0;
    }
    if (vexa::usb::UsbBackend::Instance().Owns(deviceHandle)) {
        return 0; // the usb backend never reports devices reached over the network
    }
    return vexa::sim::SimBackend::Instance().Registry().IsWifi(deviceHandle) ? 1 : 0;
}

void DeleteVexaManager(IVexaManager** manager) {
    if (manager == nullptr || *manager == nullptr) {
        return;
    }
    {
        auto& live = liveManagers();
        std::lock_guard lock(live.mutex);
        if (live.managers.erase(*manager) == 0) {
            return;
        }
    }
    delete *manager;
    *manager = nullptr;
}

int IOSTransportState() {
    if (!vexa::usb::UsbBackend::Instance().IsActive()) {
        return VEXA_TRANSPORT_SIMULATOR;
    }
    return vexa::usb::UsbBackend::Transport();
}

int IOSRetryPairing() {
    if (vexa::usb::UsbBackend::Instance().IsActive()) {
        vexa::usb::UsbBackend::Instance().RetryPairing();
    }
    return 0;
}

int IOSWaitForPresentDevices(int timeoutMs) {
    if (vexa::usb::UsbBackend::Instance().IsActive()) {
        return VEXA_E_NOT_SUPPORTED_YET;
    }
    const bool reported = vexa::sim::SimBackend::Instance().WaitUntilReported(
        std::chrono::milliseconds(std::max(timeoutMs, 0)));
    return reported ? VEXA_OK : VEXA_E_TIMEOUT;
}

} // extern "C"
