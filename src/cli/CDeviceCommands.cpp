#include "CDeviceCommands.h"

#include <QJsonArray>
#include <QJsonObject>

#include <vexa/vexa.h>

#include "CCliCommand.h"
#include "CCliContext.h"
#include "CCliOutput.h"
#include "CliExit.h"
#include "ResultReason.h"

namespace {

// The storage figures by the names the manual gives them.
const struct {
    DiskInfoField field;
    const char* name;
} kStorageFields[] = {
    {DI_DataCapacity, "dataCapacity"},
    {DI_DataFree, "dataFree"},
    {DI_SystemCapacity, "systemCapacity"},
    {DI_SystemFree, "systemFree"},
    {DI_Music, "music"},
    {DI_Photos, "photos"},
    {DI_Video, "video"},
    {DI_Documents, "documents"},
    {DI_Books, "books"},
    {DI_Apps, "apps"},
    {DI_Other, "other"},
};

QJsonObject Summary(const CConnectedDevice& device) {
    return QJsonObject{
        {QStringLiteral("udid"), device.udid},
        {QStringLiteral("name"), device.name},
        {QStringLiteral("model"), CCliDevices::Property(device, DP_ProductType)},
        {QStringLiteral("iosVersion"), CCliDevices::Property(device, DP_ProductVersion)},
        {QStringLiteral("backend"), CCliDevices::BackendName()},
    };
}

} // namespace

void CDeviceCommands::Add(QList<CCliCommand>& commands) {
    CCliCommand devices;
    devices.name = QStringLiteral("devices");
    devices.synopsis = QStringLiteral("[--json]");
    devices.summary = tr("List the plugged devices: UDID, name, model, iOS version, backend.");
    devices.takesDevice = false;
    devices.takesJson = true;
    devices.run = &CDeviceCommands::Devices;
    commands.append(devices);

    CCliCommand info;
    info.name = QStringLiteral("info");
    info.synopsis = QStringLiteral("[-u UDID] [--json]");
    info.summary = tr("Show a device's properties and storage figures.");
    info.takesJson = true;
    info.run = &CDeviceCommands::Info;
    commands.append(info);

    CCliCommand rename;
    rename.name = QStringLiteral("rename");
    rename.synopsis = QStringLiteral("[-u UDID] NAME");
    rename.summary = tr("Give a device a new name.");
    rename.minArguments = rename.maxArguments = 1;
    rename.run = &CDeviceCommands::Rename;
    commands.append(rename);
}

int CDeviceCommands::Devices(CCliContext& context) {
    CCliDevices* devices = context.Devices();
    if (!devices)
        return kExitFailed;
    QJsonArray list;
    for (const CConnectedDevice& device : devices->ConnectedDevices()) {
        const QJsonObject summary = Summary(device);
        list.append(summary);
        if (!context.Json())
            CCliOutput::Line(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                                 .arg(device.udid, device.name, summary[QStringLiteral("model")].toString(),
                                      summary[QStringLiteral("iosVersion")].toString(),
                                      summary[QStringLiteral("backend")].toString()));
    }
    if (context.Json())
        CCliOutput::Json(list);
    return kExitOk;
}

int CDeviceCommands::Info(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    QJsonObject properties;
    for (int property = 0; property < DP_Count; ++property) {
        const char* value = device->record->properties[property];
        if (value)
            properties.insert(QLatin1String(kDevicePropertyNames[property]), QString::fromUtf8(value));
    }
    DiskInfo disk{};
    const int diskResult = device->manager->GetDiskInfo(&disk);
    QJsonObject storage;
    if (diskResult == VEXA_OK)
        for (const auto& field : kStorageFields)
            storage.insert(QLatin1String(field.name), qint64(disk.values[field.field]));

    QJsonObject info = Summary(*device);
    info.insert(QStringLiteral("battery"), device->record->batteryLevel);
    info.insert(QStringLiteral("properties"), properties);
    info.insert(QStringLiteral("storage"), storage);
    if (context.Json()) {
        CCliOutput::Json(info);
        return kExitOk;
    }
    for (int property = 0; property < DP_Count; ++property)
        if (properties.contains(QLatin1String(kDevicePropertyNames[property])))
            CCliOutput::Line(QStringLiteral("%1: %2").arg(
                QLatin1String(kDevicePropertyNames[property]),
                properties[QLatin1String(kDevicePropertyNames[property])].toString()));
    CCliOutput::Line(QStringLiteral("BatteryLevel: %1").arg(device->record->batteryLevel));
    for (const auto& field : kStorageFields)
        if (storage.contains(QLatin1String(field.name)))
            CCliOutput::Line(QStringLiteral("%1: %2")
                                 .arg(QLatin1String(field.name))
                                 .arg(qint64(disk.values[field.field])));
    return kExitOk;
}

int CDeviceCommands::Rename(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QString name = context.Argument(0).trimmed();
    if (name.isEmpty())
        return CCliOutput::Fail(kExitUsage, tr("the new name is empty"));
    IDeviceService* service = device->manager->GetDeviceService();
    const int result = service ? service->SetDeviceName(reinterpret_cast<const char16_t*>(name.utf16()))
                               : int(VEXA_E_UNPLUGGED);
    if (result != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(result),
                                WithReason(tr("the device could not be renamed"), result));
    return kExitOk;
}
