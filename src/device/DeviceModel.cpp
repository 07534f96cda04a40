#include "DeviceModel.h"

#include <QCoreApplication>

namespace {

// The captions are the names the device itself uses for its properties.
constexpr const char* kCaptions[DP_Count] = {
    QT_TRANSLATE_NOOP("DeviceModel", "DeviceName"),
    QT_TRANSLATE_NOOP("DeviceModel", "DeviceClass"),
    QT_TRANSLATE_NOOP("DeviceModel", "ProductType"),
    QT_TRANSLATE_NOOP("DeviceModel", "ProductVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "SerialNumber"),
    QT_TRANSLATE_NOOP("DeviceModel", "UniqueDeviceID"),
    QT_TRANSLATE_NOOP("DeviceModel", "ModelNumber"),
    QT_TRANSLATE_NOOP("DeviceModel", "BuildVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "HardwareModel"),
    QT_TRANSLATE_NOOP("DeviceModel", "DeviceColor"),
    QT_TRANSLATE_NOOP("DeviceModel", "RegionInfo"),
    QT_TRANSLATE_NOOP("DeviceModel", "CPUArchitecture"),
    QT_TRANSLATE_NOOP("DeviceModel", "Wi-Fi Address"),
    QT_TRANSLATE_NOOP("DeviceModel", "BluetoothAddress"),
    QT_TRANSLATE_NOOP("DeviceModel", "PartitionType"),
    QT_TRANSLATE_NOOP("DeviceModel", "FirmwareVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "ActivationState"),
    QT_TRANSLATE_NOOP("DeviceModel", "ActivationStateAcknowledged"),
    QT_TRANSLATE_NOOP("DeviceModel", "BasebandVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "BasebandBootloaderVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "BasebandChipId"),
    QT_TRANSLATE_NOOP("DeviceModel", "BasebandGoldCertId"),
    QT_TRANSLATE_NOOP("DeviceModel", "ICCID"),
    QT_TRANSLATE_NOOP("DeviceModel", "IMEI"),
    QT_TRANSLATE_NOOP("DeviceModel", "IMSI"),
    QT_TRANSLATE_NOOP("DeviceModel", "MLBSerialNumber"),
    QT_TRANSLATE_NOOP("DeviceModel", "MobileSubscriberCountryCode"),
    QT_TRANSLATE_NOOP("DeviceModel", "MobileSubscriberNetworkCode"),
    QT_TRANSLATE_NOOP("DeviceModel", "PasswordProtected"),
    QT_TRANSLATE_NOOP("DeviceModel", "Phone Number"),
    QT_TRANSLATE_NOOP("DeviceModel", "ProductionSOC"),
    QT_TRANSLATE_NOOP("DeviceModel", "ProtocolVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "SDIOProductInfo"),
    QT_TRANSLATE_NOOP("DeviceModel", "SIMStatus"),
    QT_TRANSLATE_NOOP("DeviceModel", "SoftwareBundleVersion"),
    QT_TRANSLATE_NOOP("DeviceModel", "SupportedDeviceFamilies"),
    QT_TRANSLATE_NOOP("DeviceModel", "SomebodySetTimeZone"),
    QT_TRANSLATE_NOOP("DeviceModel", "TimeIntervalSince1970"),
    QT_TRANSLATE_NOOP("DeviceModel", "TimeZone"),
    QT_TRANSLATE_NOOP("DeviceModel", "TimeZoneOffsetFromUTC"),
    QT_TRANSLATE_NOOP("DeviceModel", "UniqueChipID"),
    QT_TRANSLATE_NOOP("DeviceModel", "Uses24HourClock"),
    QT_TRANSLATE_NOOP("DeviceModel", "iTunesHasConnected"),
};

} // namespace

DeviceModel::DeviceModel(QObject* parent)
    : QAbstractTableModel(parent) {}

QString DeviceModel::Caption(DeviceProperty property) {
    if (property < 0 || property >= DP_Count)
        return QString();
    return QCoreApplication::translate("DeviceModel", kCaptions[property]);
}

void DeviceModel::SetDeviceInfo(const DeviceInfo* info) {
    m_hasRecord = info != nullptr;
    for (int property = 0; property < DP_Count; ++property) {
        const char* text = info ? info->properties[property] : nullptr;
        m_values[property] = text ? std::optional<QString>(QString::fromUtf8(text)) : std::nullopt;
    }
    Rebuild();
}

void DeviceModel::Retranslate() {
    Rebuild();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void DeviceModel::Rebuild() {
    beginResetModel();
    m_rows.clear();
    if (m_hasRecord) {
        // QString orders by UTF-16 code units, so upper-case captions come before lower-case ones.
        std::map<QString, QString> ordered;
        for (int property = 0; property < DP_Count; ++property) {
            const QString value = m_values[property] ? *m_values[property] : tr("unknown");
            ordered[Caption(static_cast<DeviceProperty>(property))] = value;
        }
        m_rows.assign(ordered.begin(), ordered.end());
    }
    endResetModel();
}

int DeviceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int DeviceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DeviceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return QVariant();
    const auto& row = m_rows[static_cast<size_t>(index.row())];
    return index.column() == NameColumn ? row.first : row.second;
}

QVariant DeviceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == NameColumn)
        return tr("Name");
    if (section == ValueColumn)
        return tr("Value");
    return QVariant();
}
