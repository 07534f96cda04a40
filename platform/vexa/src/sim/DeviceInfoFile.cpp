#include "DeviceInfoFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <vexa/VexaResult.h>

#include "DeviceState.h"

namespace vexa::sim {

namespace {
// A device description is a few kilobytes; a bigger file is damaged, not read into memory.
constexpr size_t kInfoFileLimit = 1024 * 1024;

// A size in bytes from JSON, where numbers are doubles: a negative, huge or not-a-number value from a
// hand-edited file must not reach the conversion to an integer, which is undefined outside its range.
uint64_t byteCount(const QJsonValue& value, double fallback) {
    const double bytes = value.toDouble(fallback);
    constexpr double kLargest = 9.2e18; // below 2^63, far beyond any device
    if (!(bytes >= 0.0))
        return static_cast<uint64_t>(fallback);
    return static_cast<uint64_t>(std::min(bytes, kLargest));
}

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
    info.profile.dataCapacity = byteCount(root.value("dataCapacity"), 16e9);
    info.profile.systemCapacity = byteCount(root.value("systemCapacity"), 4e9);
    info.profile.systemFree = byteCount(root.value("systemFree"), 1e9);
    info.backupPassword = root.value("backupPassword").toString().toStdString();
    const QJsonObject rounds = root.value("backupKeyRounds").toObject();
    info.backupSha256Rounds = static_cast<uint32_t>(std::max(0, rounds.value("sha256").toInt()));
    info.backupSha1Rounds = static_cast<uint32_t>(std::max(0, rounds.value("sha1").toInt()));
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
    if (backupSha256Rounds != 0 || backupSha1Rounds != 0) {
        root.insert("backupKeyRounds", QJsonObject{{"sha256", static_cast<qint64>(backupSha256Rounds)},
                                                   {"sha1", static_cast<qint64>(backupSha1Rounds)}});
    }
    return WriteFileAtomically(file, QJsonDocument(root).toJson().toStdString());
}

} // namespace vexa::sim
