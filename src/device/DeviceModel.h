#pragma once

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

#include <vexa/VexaRecords.h>

// The "more" table of the information page: every property of the device record as a caption and its
// value, ordered by the translated caption so the list reads alphabetically in every language.
class DeviceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, ValueColumn, ColumnCount };

    explicit DeviceModel(QObject* parent = nullptr);

    // Copies the record's texts; a null record empties the table.
    void SetDeviceInfo(const DeviceInfo* info);
    // Rebuilds the captions (and with them the order) in the current language.
    void Retranslate();

    // The translated caption of a property, also used elsewhere on the page.
    static QString Caption(DeviceProperty property);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void Rebuild();

    // Unset properties stay empty optionals so they can be shown as "unknown" in any language.
    std::array<std::optional<QString>, DP_Count> m_values;
    bool m_hasRecord = false;
    std::vector<std::pair<QString, QString>> m_rows;
};
