#include "DeviceInfoFile.h"

#include <fstream>
#include <sstream>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <vexa/VexaResult.h>

#include "DeviceState.h"

namespace vexa::sim {

namespace {
// A device description is a few kilobytes; a bigger file is damaged, not read into memory.
constexpr size_t kInfoFileLimit = 1024 * 1024;
} // namespace

int DeviceInfoFile::Load(const std::filesystem::path& file, DeviceInfoFile& info) {
    std::string text;
    if (const int read = ReadSmallFile(file, kInfoFileLimit, text); read != VEXA_OK) {
        return read;
    }
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), qsizetype(text.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return VEXA_E_IO;
    }
    const QJsonObject root = document.object();
    const QJsonObject properties = root.value("properties").toObject();
    info.profile.properties.clear();
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (it.value().isString()) {
            info.profile.properties[it.key().toStdString()] = it.value().toString().toStdString();
        }
    }
    info.profile.batteryLevel = root.value("battery").toInt(100);
    info.profile.dataCapacity = static_cast<uint64_t>(root.value("dataCapacity").toDouble(16e9));
    info.profile.systemCapacity = static_cast<uint64_t>(root.value("systemCapacity").toDouble(4e9));
    info.profile.systemFree = static_cast<uint64_t>(root.value("systemFree").toDouble(1e9));
    info.backupPassword = root.value("backupPassword").toString().toStdString();
    return VEXA_OK;
}

int DeviceInfoFile::Save(const std::filesystem::path& file) const {
    QJsonObject properties;
    for (const auto& [key, value] : profile.properties) {
        properties.insert(QString::fromStdString(key), QString::fromStdString(value));
    }
    QJsonObject root;
    root.insert("properties", properties);
    root.insert("battery", profile.batteryLevel);
    root.insert("dataCapacity", static_cast<double>(profile.dataCapacity));
    root.insert("systemCapacity", static_cast<double>(profile.systemCapacity));
    root.insert("systemFree", static_cast<double>(profile.systemFree));
    root.insert("backupPassword", QString::fromStdString(backupPassword));
    return WriteFileAtomically(file, QJsonDocument(root).toJson().toStdString());
}

} // namespace vexa::sim
