#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "CDetectorDirectory.h"
#include "CSingleDetectiPhone.h"
#include "DeviceFormat.h"
#include "DeviceTestRegistry.h"
#include "InitDeviceWidget.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "QDeviceInformationWidget.h"
#include "QDiskContentWidget.h"
#include "QImageButton.h"
#include "SimDevices.h"

#include <vexa/vexa.h>

// The information page and the initialising screen against simulated devices: one phone and one
// second-generation iPod touch, whose storage comes from the library's other call.

namespace {
const char* const kPhoneUdid = "00008030-00000000000000A1";
const char* const kPodUdid = "00008030-00000000000000B2";
} // namespace

class tst_DevicePage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // A program folder without language file: images are missing (and reported), leftovers are ours.
        QVERIFY(m_appDir.isValid());
        SetAppDirPathForTesting(m_appDir.path());
        QVERIFY(PlugOrCreate(kPhoneUdid, "Test Phone", "iPhone7,2"));
        QVERIFY(PlugOrCreate(kPodUdid, "Test Pod", "iPod2,1"));
        CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
        QTRY_VERIFY_WITH_TIMEOUT(detector->Records().size() >= 2, 10000);
        QVERIFY(ManagerOf("iPhone7,2"));
        QVERIFY(ManagerOf("iPod2,1"));
    }

    void pageShowsRecordAndStorageFigures() {
        IVexaManager* manager = ManagerOf("iPhone7,2");
        QDeviceInformationWidget page(manager);
        QVERIFY(page.HasRecord());
        QVERIFY(!page.findChild<QImageButton*>("m_btnRefresh")->isEnabled());
        QVERIFY(WaitForRead(page));

        DiskInfo expected{};
        QCOMPARE(manager->GetDiskInfo(&expected), 0);
        const DiskInfo shown = page.LastDiskInfo();
        QVERIFY(expected.values[DI_DataCapacity] > 0);
        QCOMPARE(shown.values[DI_DataCapacity], expected.values[DI_DataCapacity]);
        QCOMPARE(shown.values[DI_SystemFree], expected.values[DI_SystemFree]);

        QCOMPARE(page.findChild<QLabel*>("m_name")->text(), QStringLiteral("Test Phone"));
        QCOMPARE(page.findChild<QLabel*>("m_type")->text(), QStringLiteral("iPhone 6"));
        auto* capacity = page.findChild<QLabel*>("m_capacity");
        QCOMPARE(capacity->text(), FormatSize(expected.values[DI_DataCapacity]));
        const QStringList data = page.findChild<QDiskContentWidget*>("m_dataContent")->LegendTexts();
        QCOMPARE(data.size(), 5);
        QCOMPARE(data.last(), QStringLiteral("Available %1").arg(FormatSize(expected.values[DI_DataFree])));

        page.onClickSystem();
        QCOMPARE(capacity->text(), FormatSize(expected.values[DI_SystemCapacity]));
        const uint64_t used = expected.values[DI_SystemCapacity] - expected.values[DI_SystemFree];
        QCOMPARE(page.findChild<QDiskContentWidget*>("m_systemContent")->LegendTexts().first(),
                 QStringLiteral("Used %1").arg(FormatSize(used)));
        QVERIFY(!page.findChild<QImageButton*>("m_btnSystem")->isEnabled());
        QVERIFY(page.findChild<QImageButton*>("m_btnData")->isEnabled());
        QVERIFY(!m_messages.Saw(QStringLiteral("Get diskInfo failed!")));
    }

    void failedStorageReadKeepsTheLastFigures() {
        QDeviceInformationWidget page(ManagerOf("iPhone7,2"));
        QVERIFY(WaitForRead(page));
        const DiskInfo before = page.LastDiskInfo();
        QCOMPARE(SimCtl({"fault", kPhoneUdid, "GetDiskInfo", "105"}), 0);

        page.onClickRefresh();
        QVERIFY(WaitForRead(page));
        QTRY_VERIFY(m_messages.Saw(QStringLiteral("Get diskInfo failed!")));
        QCOMPARE(page.LastDiskInfo().values[DI_DataCapacity], before.values[DI_DataCapacity]);
        QCOMPARE(page.findChild<QLabel*>("m_capacity")->text(), FormatSize(before.values[DI_DataCapacity]));
    }

    void secondGenerationIpodUsesTheLegacyCall() {
        // With the ordinary call broken, only a page that takes the legacy call reads any figures.
        QCOMPARE(SimCtl({"fault", kPodUdid, "GetDiskInfo", "105"}), 0);
        QDeviceInformationWidget page(ManagerOf("iPod2,1"));
        QVERIFY(WaitForRead(page));
        QVERIFY(page.LastDiskInfo().values[DI_DataCapacity] > 0);
        QVERIFY(!m_messages.Saw(QStringLiteral("Get diskInfo failed!")));
        QCOMPARE(page.findChild<QLabel*>("m_type")->text(), QStringLiteral("iPod touch 2G"));
    }

    void refusedRenameIsReportedAndNotPassedOn() {
        IVexaManager* manager = ManagerOf("iPhone7,2");
        QDeviceInformationWidget page(manager);
        QVERIFY(WaitForRead(page));
        QSignalSpy renamed(&page, &QDeviceInformationWidget::refreshTreeRootName);

        QCOMPARE(SimCtl({"fault", kPhoneUdid, "SetDeviceName", "105"}), 0);
        page.OnEmitRefreshTreeRootName(QStringLiteral("Refused"));
        QTRY_VERIFY(m_messages.Saw(QStringLiteral("Rename failed!")));
        QCOMPARE(renamed.count(), 0);

        QCOMPARE(SimCtl({"clear-faults", kPhoneUdid}), 0);
        page.OnEmitRefreshTreeRootName(QStringLiteral("Küchen-iPhone 📱"));
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed.at(0).at(0).toString(), QStringLiteral("Küchen-iPhone 📱"));
        QCOMPARE(renamed.at(0).at(1).toInt(), manager->GetDeviceHandle());
        // The backup, restore and transfer windows see the new name without a replug.
        QStringList names;
        for (const CConnectedDevice& device : CDetectorDirectory::Instance().ConnectedDevices())
            if (device.manager == manager)
                names << device.name;
        QCOMPARE(names, QStringList{QStringLiteral("Küchen-iPhone 📱")});
        page.OnEmitRefreshTreeRootName(QStringLiteral("Test Phone"));
    }

    void closingThePageWhileItReadsWaitsForTheWorker() {
        // The read takes a while; the page is gone long before it returns, and its failure is not shown.
        QCOMPARE(SimCtl({"fault", kPhoneUdid, "GetDiskInfo", "105", "--delay-ms", "400"}), 0);
        QElapsedTimer timer;
        timer.start();
        { QDeviceInformationWidget page(ManagerOf("iPhone7,2")); }
        QVERIFY(timer.elapsed() >= 300);
        QVERIFY(
            !QTest::qWaitFor([&] { return m_messages.Saw(QStringLiteral("Get diskInfo failed!")); }, 100));
    }

    void initialisingCleansUpAndMakesTheDeviceFolder() {
        const QString workDir = WorkDir();
        QDir(workDir).removeRecursively();
        const QString leftover = m_appDir.filePath(QStringLiteral("helper.bat"));
        QFile file(leftover);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir().mkpath(m_appDir.filePath(QStringLiteral("var/mobile"))));
        QVERIFY(QDir().mkpath(workDir + QStringLiteral("/stale-device/photos")));

        IVexaManager* manager = ManagerOf("iPhone7,2");
        InitDeviceWidget screen(manager, manager->GetDeviceHandle());
        QSignalSpy finished(&screen, &InitDeviceWidget::initDeviceFinish);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QCOMPARE(finished.at(0).at(0).toInt(), manager->GetDeviceHandle());
        QTRY_COMPARE(screen.Progress(), 99);
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(!QDir(m_appDir.filePath(QStringLiteral("var"))).exists());
        QVERIFY(!QDir(workDir + QStringLiteral("/stale-device")).exists());
        QVERIFY(QDir(workDir + QStringLiteral("/") + QLatin1String(kPhoneUdid)).exists());

        // Nothing left to clean up is not a failure either.
        InitDeviceWidget again(manager, manager->GetDeviceHandle());
        QSignalSpy finishedAgain(&again, &InitDeviceWidget::initDeviceFinish);
        QTRY_COMPARE_WITH_TIMEOUT(finishedAgain.count(), 1, 10000);
        QVERIFY(!m_messages.Saw(QStringLiteral("Get device information failed!")));
    }

    void initialisingWithoutRecordReportsAndStays() {
        // A manager the detector never saw has no record.
        IVexaManager* stranger = GetVexaManager();
        {
            InitDeviceWidget screen(stranger, 4711);
            QSignalSpy finished(&screen, &InitDeviceWidget::initDeviceFinish);
            QTRY_VERIFY_WITH_TIMEOUT(m_messages.Saw(QStringLiteral("Get device information failed!")), 10000);
            QCOMPARE(finished.count(), 0);
            QVERIFY(screen.Progress() < 50);
        }
        DeleteVexaManager(&stranger);
    }

    void cleanup() {
        SimCtl({"clear-faults", kPhoneUdid});
        SimCtl({"clear-faults", kPodUdid});
        m_messages.Clear();
    }

private:
    IVexaManager* ManagerOf(const char* productType) const {
        CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
        const auto managers = detector->Managers();
        for (auto it = managers.begin(); it != managers.end(); ++it) {
            const DeviceInfo* info = detector->RecordOf(it.value());
            if (info && info->properties[DP_ProductType] &&
                qstrcmp(info->properties[DP_ProductType], productType) == 0)
                return it.value();
        }
        return nullptr;
    }

    static bool WaitForRead(QDeviceInformationWidget& page) {
        auto* refresh = page.findChild<QImageButton*>("m_btnRefresh");
        return QTest::qWaitFor([&] { return refresh->isEnabled(); }, 10000);
    }

    MessageCatcher m_messages;
    QTemporaryDir m_appDir;
};

VEXA_DEVICE_TEST(tst_DevicePage);
#include "tst_DevicePage.moc"
