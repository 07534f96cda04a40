#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "CDeviceInfoCopy.h"
#include "DeviceModel.h"
#include "DeviceRecordFixture.h"
#include "DeviceTestRegistry.h"
#include "MessageCatcher.h"
#include "QDiskContentBar.h"
#include "QDiskContentWidget.h"
#include "QInformationWidget.h"
#include "QRenameDlg.h"
#include "WhenShown.h"

// The summary card, the property table and the storage views, fed with records built here.

class tst_InformationPage : public QObject {
    Q_OBJECT
private slots:
    void tableListsEveryPropertyByCaptionWithUnsetAsUnknown() {
        DeviceRecordFixture record;
        record.Set(DP_IMEI, nullptr);
        record.Set(DP_ICCID, "");
        DeviceModel model;
        model.SetDeviceInfo(record.Info());

        QCOMPARE(model.rowCount(), int(DP_Count));
        QStringList captions;
        for (int row = 0; row < model.rowCount(); ++row)
            captions << model.index(row, DeviceModel::NameColumn).data().toString();
        QStringList sorted = captions;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(captions, sorted);
        // Lower-case letters sort after every upper-case one, so the one lower-case caption comes last.
        QCOMPARE(captions.last(), QStringLiteral("iTunesHasConnected"));
        QCOMPARE(captions.first(), QStringLiteral("ActivationState"));

        const auto valueOf = [&](const QString& caption) {
            return model.index(static_cast<int>(captions.indexOf(caption)), DeviceModel::ValueColumn)
                .data()
                .toString();
        };
        QCOMPARE(valueOf(QStringLiteral("IMEI")), QStringLiteral("unknown"));
        QCOMPARE(valueOf(QStringLiteral("ICCID")), QString());
        QCOMPARE(valueOf(QStringLiteral("Wi-Fi Address")), QStringLiteral("WiFiAddress-value"));
    }

    void recordCopyOutlivesTheLibraryRecord() {
        CDeviceInfoCopy copy;
        {
            DeviceRecordFixture record;
            record.Set(DP_SerialNumber, nullptr);
            record.SetBattery(42);
            const CDeviceInfoCopy first(*record.Info());
            copy = first;
        }
        QCOMPARE(QByteArray(copy.Record()->properties[DP_DeviceName]), QByteArray("DeviceName-value"));
        QVERIFY(copy.Record()->properties[DP_SerialNumber] == nullptr);
        QCOMPARE(copy.Record()->batteryLevel, 42);
        const CDeviceInfoCopy second(copy);
        QVERIFY(second.Record()->properties[DP_DeviceName] != copy.Record()->properties[DP_DeviceName]);
        QCOMPARE(QByteArray(second.Record()->properties[DP_DeviceName]), QByteArray("DeviceName-value"));
    }

    void segmentsAreToScaleWithoutDrift() {
        // Three thirds of 300 bytes on a 100 pixel bar: each a third, the last one ending exactly at 100.
        auto spans = QDiskContentBar::SegmentSpans({100, 100, 100}, 300, 100);
        QCOMPARE(spans.size(), size_t(3));
        QCOMPARE(spans[0], std::make_pair(0, 33));
        QCOMPARE(spans[1], std::make_pair(33, 66));
        QCOMPARE(spans[2], std::make_pair(66, 100));

        // Many tiny segments each round down to nothing alone, yet together they still fill their share.
        spans = QDiskContentBar::SegmentSpans(std::vector<uint64_t>(10, 1), 20, 10);
        QCOMPARE(spans.back().second, 5);

        spans = QDiskContentBar::SegmentSpans({50, 50}, 0, 200);
        QCOMPARE(spans[1], std::make_pair(0, 0));
    }

    void segmentsSurviveHugeAndOverfullCounts() {
        // 256 GB on a wide bar: the product of bytes and pixels does not fit 64 bits with 4 TiB devices.
        const uint64_t tebibyte = uint64_t(1) << 40;
        auto spans = QDiskContentBar::SegmentSpans({2 * tebibyte, tebibyte}, 4 * tebibyte, 4000);
        QCOMPARE(spans[0], std::make_pair(0, 2000));
        QCOMPARE(spans[1], std::make_pair(2000, 3000));

        // More content than capacity is cut at the bar's end, and sizes near the limit do not wrap (a
        // wrapped sum would come back below the capacity and run the bar backwards).
        spans = QDiskContentBar::SegmentSpans({80, UINT64_MAX - 40, 80}, 100, 50);
        QCOMPARE(spans[0], std::make_pair(0, 40));
        QCOMPARE(spans[1], std::make_pair(40, 50));
        QCOMPARE(spans[2], std::make_pair(50, 50));
    }

    void legendPairsCaptionWithFormattedSize() {
        QDiskContentWidget view;
        view.SetItems(4096, {{QStringLiteral("Music"), 2048, QString(), QString()},
                             {QStringLiteral("Available"), 1025, QString(), QString()}});
        QCOMPARE(view.LegendTexts(), QStringList({"Music 2.00 KB", "Available 1.00 KB"}));
        QCOMPARE(view.ContentBar()->SegmentCount(), 2);
        // A refresh replaces the legend instead of adding to it.
        view.SetItems(10, {{QStringLiteral("Used"), 5, QString(), QString()}});
        QCOMPARE(view.LegendTexts(), QStringList({"Used 5 B"}));
        QCOMPARE(view.ContentBar()->Capacity(), uint64_t(10));
    }

    void cardShowsModelBatteryAndWideBackground() {
        DeviceRecordFixture record;
        record.Set(DP_ProductType, "iPhone7,2");
        record.Set(DP_DeviceName, "Anna's iPhone");
        record.SetBattery(100);
        QInformationWidget card;
        card.SetDeviceInfo(record.Info());
        QCOMPARE(card.findChild<QLabel*>("m_type")->text(), QStringLiteral("iPhone 6"));
        QCOMPARE(card.findChild<QLabel*>("m_battery")->text(), QStringLiteral("100%"));
        QCOMPARE(card.findChild<QLabel*>("m_purchased")->text(), QStringLiteral("N/A"));
        QCOMPARE(card.findChild<QLabel*>("m_activated")->text(),
                 QStringLiteral("ActivationStateAcknowledged-value"));
        QCOMPARE(card.DeviceName(), QStringLiteral("Anna's iPhone"));
        QCOMPARE(card.BackgroundImage(), QStringLiteral("/image/message_bg_iphone6.png"));

        record.Set(DP_ProductType, "iPhone99,1");
        card.SetDeviceInfo(record.Info());
        QCOMPARE(card.findChild<QLabel*>("m_type")->text(), QString());
        QCOMPARE(card.BackgroundImage(), QStringLiteral("/image/message_bg.png"));
        // A tablet is drawn as one.
        record.Set(DP_ProductType, "iPad4,1");
        card.SetDeviceInfo(record.Info());
        QCOMPARE(card.BackgroundImage(), QStringLiteral("/image/message_bg_ipad.png"));
    }

    void withoutRecordCardAndTableStayEmpty() {
        QInformationWidget card;
        card.SetDeviceInfo(nullptr);
        for (const char* name : {"m_name", "m_purchased", "m_type", "m_battery", "m_version"})
            QVERIFY2(card.findChild<QLabel*>(name)->text().isEmpty(), name);
        QCOMPARE(card.Model()->rowCount(), 0);
        // A table that had a record drops it.
        DeviceRecordFixture record;
        DeviceModel model;
        model.SetDeviceInfo(record.Info());
        model.SetDeviceInfo(nullptr);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.index(0, 0).data().isValid());
    }

    void moreAndBackSwapTableAndSummary() {
        QInformationWidget card;
        card.show();
        QVERIFY(!card.IsShowingMore());
        card.onClickMore();
        QVERIFY(card.IsShowingMore());
        QVERIFY(!card.findChild<QWidget*>("m_labelPanel")->isVisible());
        card.onClickBack();
        QVERIFY(!card.IsShowingMore());
        QVERIFY(card.findChild<QWidget*>("m_labelPanel")->isVisible());
    }

    void renameEmitsOnlyWhenConfirmed() {
        DeviceRecordFixture record;
        record.Set(DP_DeviceName, "Old");
        QInformationWidget card;
        card.SetDeviceInfo(record.Info());
        QSignalSpy renamed(&card, &QInformationWidget::changedDeviceName);

        // Types the name, then confirms it or cancels; a blank name is not taken and the dialog stays until
        // it is closed.
        const auto rename = [&card](const QString& text, bool confirm) {
            WhenShown<QRenameDlg>([text, confirm](QRenameDlg* dialog) {
                dialog->findChild<QLineEdit*>("m_lineEdit")->setText(text);
                if (confirm)
                    dialog->OnBtnConfirm();
                if (dialog->isVisible())
                    dialog->reject();
            });
            card.onClickChange();
        };
        rename(QStringLiteral("  "), true);
        rename(QStringLiteral("Kitchen iPad"), false);
        QCOMPARE(renamed.count(), 0);
        QCOMPARE(card.DeviceName(), QStringLiteral("Old"));
        rename(QStringLiteral(" Kitchen iPad "), true);
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed.at(0).at(0).toString(), QStringLiteral("Kitchen iPad"));
        QCOMPARE(card.DeviceName(), QStringLiteral("Kitchen iPad"));
    }

private:
    MessageCatcher m_messages;
};

VEXA_DEVICE_TEST(tst_InformationPage);
#include "tst_InformationPage.moc"
