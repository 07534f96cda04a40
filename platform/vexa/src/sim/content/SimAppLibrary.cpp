#include "SimAppLibrary.h"

#include <cstring>

#include <vexa/VexaResult.h>

#include "DeviceFiles.h"
#include "PendingRemoval.h"

namespace vexa::sim {

SimAppLibrary::SimAppLibrary(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

template <class ChangeFunction> int SimAppLibrary::Change(const char* operation, ChangeFunction&& change) {
    int code = VEXA_OK;
    auto session = m_access.Begin(operation, code);
    if (code)
        return code;
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    AppStore store(session.Handle(), m_access.Device().ApplicationsRoot());
    if ((code = change(store)))
        return code;
    return transaction.Commit();
}

int SimAppLibrary::GetApplistInfo(AppRecord** records, int* count) {
    if (!records || !count)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetApplistInfo", code);
    if (code)
        return code;
    auto& list = m_lists.ForCurrentThread();
    list.icons.Clear();
    if ((code = AppStore(session.Handle(), m_access.Device().ApplicationsRoot()).List(list.records)))
        return code;
    *records = list.records.empty() ? nullptr : list.records.data();
    *count = static_cast<int>(list.records.size());
    return VEXA_OK;
}

int SimAppLibrary::GetAppListIcon(AppRecord* records, int count) {
    if (count < 0 || (count > 0 && !records))
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetAppListIcon", code);
    if (code)
        return code;
    AppStore store(session.Handle(), m_access.Device().ApplicationsRoot());
    auto& list = m_lists.ForCurrentThread();
    const bool ownList = !list.records.empty() && records == list.records.data();
    for (int i = 0; i < count; ++i) {
        const std::string id(records[i].id, strnlen(records[i].id, sizeof records[i].id));
        std::vector<uint8_t> png;
        if ((code = store.Icon(id, png)))
            return code;
        const int32_t length = static_cast<int32_t>(png.size());
        if (ownList) {
            records[i].icon = list.icons.KeepBytes(std::move(png));
        } else {
            std::lock_guard lock(m_iconsMutex);
            records[i].icon = m_callerIcons.KeepBytes(std::move(png));
        }
        records[i].iconLength = length;
    }
    return VEXA_OK;
}

int SimAppLibrary::InstallApp(const char16_t* ipaPath) {
    if (!ipaPath)
        return VEXA_E_INVALID_ARGUMENT;
    const auto ipa = DeviceFiles::FromCaller(ipaPath);
    const auto properties = m_access.Device().Info().profile.properties;
    const auto version = properties.find("ProductVersion");
    const std::string deviceVersion = version != properties.end() ? version->second : std::string();
    return Change("InstallApp", [&](AppStore& store) { return store.Install(ipa, deviceVersion); });
}

int SimAppLibrary::UninstallApp(const char* appId) {
    if (!appId)
        return VEXA_E_INVALID_ARGUMENT;
    PendingRemoval removal(m_access.Device().WorkFolder("trash"));
    const int code = Change("UninstallApp", [&](AppStore& store) { return store.Uninstall(appId, removal); });
    if (code == VEXA_OK)
        removal.Commit();
    return code;
}

int SimAppLibrary::QueryAppBackup() {
    return m_access.Device().CheckCall("QueryAppBackup");
}

int SimAppLibrary::BackupApp(const char* appId, const char* destinationPath, int withDocuments) {
    if (!appId || !destinationPath || !*destinationPath)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("BackupApp", code);
    if (code)
        return code;
    AppStore store(session.Handle(), m_access.Device().ApplicationsRoot());
    return store.Backup(appId, destinationPath, withDocuments != 0);
}

} // namespace vexa::sim
