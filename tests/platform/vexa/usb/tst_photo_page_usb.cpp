// The Photos page of an emulated phone over the usb backend: the photos and albums are shown, and no
// way to change them is offered.
#include <QPushButton>
#include <QTest>

#include <vexa/vexa.h>

#include "AppPaths.h"
#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "EmulatorProcess.h"
#include "PicItemTotal.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoView.h"
#include "ReadOnlyNotice.h"
#include "RetractLabel.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"

class TestPhotoPageUsb : public QObject {
    Q_OBJECT

    EmulatorProcess m_emulator;
    int m_handle = 0;
    Manager m_manager;

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", "00008020-000C17A0B0C0D0E1", "--ios", "15"}), 0);
        QVERIFY(m_emulator.Start());
        qputenv("VEXA_BACKEND", "usb");
        const size_t from = EventCount();
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(RecordEvent), 0);
        m_handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED, 0, 30000);
        QVERIFY(m_handle != 0);
        m_manager = Bind(m_handle);
        QVERIFY(m_manager);
    }

    void cleanupTestCase() {
        m_manager.reset();
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
        m_emulator.Stop();
    }

    void photosAndAlbumsShowWithoutWayToChangeThem() {
        QPhotoView view(m_manager.get(), m_handle);
        view.resize(1000, 700);
        view.show();
        view.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.HasLoaded(), 15000);
        QCOMPARE(view.PhotoPage()->Grid()->List()->Count(), 85);
        QVERIFY(!view.LastReadFailed());

        QVERIFY(!view.IsWritable());
        QVERIFY(view.Notice()->isVisible());
        QVERIFY(view.Notice()->text().contains(QStringLiteral("added on the phone itself")));
        QVERIFY(!view.acceptDrops());
        view.OnComboBoxChanged(QPhotoView::AlbumsPage);
        QTRY_VERIFY_WITH_TIMEOUT(view.AlbumPage()->HasLoaded() && !view.AlbumPage()->IsRunning(), 15000);
        QCOMPARE(view.AlbumPage()->Tiles().size(), 9);
        for (const char* name : {"m_btnImport", "m_btnDelete", "m_btnNewAlbum"})
            QVERIFY2(!view.Button(name)->isVisible(), name);
        for (const char* name : {"m_btnExport", "m_btnRefresh"})
            QVERIFY2(view.Button(name)->isVisible(), name);

        // A double click on an album's name opens it rather than starting a rename, and the menu's
        // new album and delete do nothing.
        PicItemTotal* family = view.AlbumPage()->TileOf(QStringLiteral("Family"));
        QVERIFY(family);
        QTest::mouseDClick(family, Qt::LeftButton, {}, family->NameLabel()->geometry().center());
        QCOMPARE(view.CurrentPage(), QPhotoView::AlbumShowPage);
        view.OnNewAlbum(QStringLiteral("Trips"));
        view.OnDeleteAlbum(QStringLiteral("Family"));
        QTRY_VERIFY_WITH_TIMEOUT(!view.AlbumPage()->IsRunning(), 15000);
        QVERIFY(!view.AlbumPage()->TileOf(QStringLiteral("Trips")));
        QVERIFY(view.AlbumPage()->TileOf(QStringLiteral("Family")));

        // The phone's Videos group opens like an album and shows the clip the Photos page leaves out.
        view.OnReturnAlbumView(ALBUM_USER);
        PicItemTotal* videos = view.AlbumPage()->TileOf(QStringLiteral("Videos"));
        QVERIFY(videos);
        QTest::mouseDClick(videos, Qt::LeftButton, {}, videos->NameLabel()->geometry().center());
        QCOMPARE(view.CurrentPage(), QPhotoView::AlbumShowPage);
        QPhotoGridView* grid = view.AlbumShow()->Page()->Grid();
        QTRY_VERIFY_WITH_TIMEOUT(grid->Groups() && grid->Groups()->PhotoCount() == 1, 15000);
        QCOMPARE(QByteArray(grid->List()->Record(0)->fileName), QByteArray("IMG_0081.MOV"));
    }
};

QTEST_MAIN(TestPhotoPageUsb)
#include "tst_photo_page_usb.moc"
