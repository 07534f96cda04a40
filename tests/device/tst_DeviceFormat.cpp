#include <QTest>

#include "DeviceFormat.h"
#include "DeviceTestRegistry.h"

class tst_DeviceFormat : public QObject {
    Q_OBJECT
private slots:
    void formatSizeSwitchesUnitOnlyAboveEachBoundary_data() {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << quint64(0) << "0 B";
        QTest::newRow("exactly 1 KiB") << quint64(1024) << "1024 B";
        QTest::newRow("1 KiB + 1") << quint64(1025) << "1.00 KB";
        QTest::newRow("exactly 1 MiB") << quint64(1048576) << "1024.00 KB";
        QTest::newRow("1 MiB + 1") << quint64(1048577) << "1.00 MB";
        QTest::newRow("exactly 1 GiB") << quint64(1073741824) << "1024.00 MB";
        QTest::newRow("1 GiB + 1") << quint64(1073741825) << "1.00 GB";
        QTest::newRow("fraction") << quint64(1536) << "1.50 KB";
        QTest::newRow("above 4 GiB") << quint64(64) * 1073741824 + 536870912 << "64.50 GB";
    }

    void formatSizeSwitchesUnitOnlyAboveEachBoundary() {
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(FormatSize(bytes), text);
    }

    void formatSizeHandlesTheLargestCount() {
        // 2^64 - 1 bytes is 17179869184 GiB; the text must not wrap to a negative or small number.
        QCOMPARE(FormatSize(UINT64_MAX), QStringLiteral("17179869184.00 GB"));
    }

    void modelNameIgnoresSpacesAndCase_data() {
        QTest::addColumn<QString>("productType");
        QTest::addColumn<QString>("name");
        const char* rows[][3] = {
            {"plain", "iPhone7,2", "iPhone 6"},
            {"space after the family", "iPhone 7,2", "iPhone 6"},
            {"spaces everywhere, upper case", " IPHONE 7 , 1 ", "iPhone 6 Plus"},
            {"repeated key keeps its name", "iPhone5,3", "iPhone 5C"},
            {"iPad, two-digit minor", "iPad13,18", "iPad (10th generation)"},
            {"unknown type", "iPhone99,9", ""},
            {"empty", "", ""},
            {"suffixed keys are not product types", "iPhone1,1", ""},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }

    void modelNameIgnoresSpacesAndCase() {
        QFETCH(QString, productType);
        QFETCH(QString, name);
        QCOMPARE(ModelName(productType), name);
    }
};

VEXA_DEVICE_TEST(tst_DeviceFormat);
#include "tst_DeviceFormat.moc"
