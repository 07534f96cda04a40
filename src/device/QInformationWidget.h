#pragma once

#include <memory>

#include <QPixmap>
#include <QWidget>

#include <vexa/VexaRecords.h>

namespace Ui {
class QInformationWidget;
}
class DeviceModel;

// The summary card of the information page: the device name with its rename button, the main
// properties, and the "more" table that lists every property of the device record.
class QInformationWidget : public QWidget {
    Q_OBJECT
public:
    explicit QInformationWidget(QWidget* parent = nullptr);
    ~QInformationWidget() override;

    // Loads the card's images; false when one is missing (the card is still usable).
    bool LoadImages();
    // Fills the card and the table from the record; null leaves every value empty.
    void SetDeviceInfo(const DeviceInfo* info);
    // A backup opened for reading: it is not renamed and keeps no battery figure, activation or region;
    // the card shows instead the phone number and when the backup was made. Call before SetDeviceInfo.
    void SetBackupCard(bool backup);
    bool IsBackupCard() const { return m_backup; }

    QString DeviceName() const;
    bool IsShowingMore() const;
    DeviceModel* Model() const { return m_model; }
    // The card picture for the current product type, relative to the language folder.
    QString BackgroundImage() const;

signals:
    void changedDeviceName(QString name);

public slots:
    void onClickChange();
    void onClickBack();
    void onClickMore();
    void OnLanguangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyStyle();
    void FillValues();
    bool LoadBackground();

    std::unique_ptr<Ui::QInformationWidget> ui;
    DeviceModel* m_model;
    QPixmap m_background;
    bool m_hasRecord = false;
    QString m_productType;
    int m_batteryLevel = 0;
    bool m_backup = false;
    QString m_phoneNumber;
    QString m_backupDate;
};
