#include <filesystem>
#include <map>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "CPhotoSerialDlg.h"
#include "DateItemWidget.h"
#include "LanguageService.h"
#include "NewAlbumWidget.h"
#include "PageFixture.h"
#include "PhotoExportDialog.h"
#include "PicItemTotal.h"
#include "QImageButton.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoStretchThread.h"
#include "QPhotoView.h"
#include "RetractLabel.h"
#include "SendDrop.h"
#include "TestFiles.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"
#include "WhenShown.h"
#include "formats/ImageFile.h"
#include "sim/ContentServices.h"
#include "sim/content/PhotoFixtures.h"

namespace {

const char* const kUdid = "00008101-0000000000F07051";
constexpr int64_t kUnixTimeOf2001 = 978307200;
// Empty when the file is missing.
QByteArray Md5(const QString& path) {
    return QFile::exists(path) ? QCryptographicHash::hash(ReadFile(path), QCryptographicHash::Md5).toHex()
                               : "";
}

// Gives the file the modification time of noon, UTC, on `day`.
bool Dated(const QString& path, QDate day) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(QDateTime(day, QTime(12, 0), Qt::UTC), QFileDevice::FileModificationTime);
}

// Presses the one button of the transfer dialog once it has ended (it stays open on failures) and keeps
// the line it ended on; as long as the returned watch lives.
std::unique_ptr<QTimer> AcknowledgeTransfer(QString* lastLine) {
    auto watch = std::make_unique<QTimer>();
    QTimer* timer = watch.get();
    QObject::connect(timer, &QTimer::timeout, [timer, lastLine] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CPhotoSerialDlg*>(widget);
            if (dialog && dialog->isVisible() && dialog->IsEnded()) {
                *lastLine = dialog->Label()->text();
                timer->stop();
                dialog->CancelButton()->click();
                return;
            }
        }
    });
    timer->start(20);
    return watch;
}

const QString kProtectedAlbums =
    QStringLiteral("\n\n1.Camera Roll \n2.Photo Library \n3.Albums that comes with "
                   "the device \n4.Albums created on the device\n");
const QString kCannotDelete = "The following albums cannot be deleted: " + kProtectedAlbums;
const QString kCannotRename = "The folowing albums cannot be renamed: " + kProtectedAlbums;

// The one message of a drop with `count` files that are no pictures.
QStringList Skipped(int count) {
    return {
        QStringLiteral("%1 dropped file(s) skipped: only BMP, JPG, GIF, PNG, JPEG files can be added here.")
            .arg(count)};
}

} // namespace

class tst_photos : public QObject, PageFixture {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Edge dates and names the demo device lacks: the first second of the device's calendar, a video
        // of each kind and a HEIC picture the device can't make a thumbnail of.
        const std::string sample = m_work.filePath("sample.jpg").toStdString();
        const QString heic = m_work.filePath("IMG_0901.HEIC");
        const QByteArray heicBytes =
            QByteArray::fromHex("000000186674797068656963") + QByteArray(200, '\x11');
        QVERIFY(vexa::formats::WriteJpeg(sample, {320, 240, 7, "Sample", ""}) && WriteFile(heic, heicBytes));
        QVERIFY(StartPageWith(kUdid, [&](const QString& root) {
            const auto add = [&](const std::string& file, const vexa::sim::SimPhoto& photo) {
                return vexa::sim::AddPhotoFile(DeviceFolder(), file, photo) == 0;
            };
            return vexa::sim::GenerateDemoDevice(root.toStdString(), kUdid, "Photo Phone") == 0 &&
                   add(sample, {"/DCIM/100APPLE/IMG_0900.JPG", 0, 1}) &&
                   add(sample, {"/DCIM/100APPLE/IMG_0001.MOV", 5000000, 1}) &&
                   add(sample, {"/DCIM/100APPLE/clip.mp4", 5000000, 1}) &&
                   add(heic.toStdString(), {"/DCIM/100APPLE/IMG_0901.HEIC", 790000000, 1});
        }));
    }

    void cleanupTestCase() { StopPage(); }

    void init() { ResetMessages(); }

    void monthsFollowTheDeviceDatesWithoutVideos() {
        QPhotoView view(m_manager, m_phone.Handle());
        Load(view);
        const CPhotoMonthGroups* groups = view.PhotoPage()->Grid()->Groups();
        QVERIFY(groups);
        std::map<QString, int> shown;
        int previous = INT_MAX;
        for (const auto& group : groups->Groups()) {
            shown[group.key] = group.Count();
            QVERIFY2(group.sortKey < previous, "months are listed newest first");
            previous = group.sortKey;
            for (const indexPhoto& item : group.photos) {
                const QString name = QString::fromUtf8(item.record->fileName);
                QVERIFY2(!name.endsWith(QLatin1String("MOV")) && !name.endsWith(QLatin1String("mp4")),
                         qPrintable(name));
            }
        }
        QCOMPARE(shown, DeviceMonths());
        QCOMPARE(shown[QStringLiteral("01.2001")], 1);
        QCOMPARE(groups->Groups().back().key, QStringLiteral("01.2001"));
        QCOMPARE(view.RecordCount(), groups->PhotoCount());
        QCOMPARE(view.PhotoPage()->DateCombo()->count(), int(groups->Groups().size()));
        QCOMPARE(view.PhotoPage()->DateCombo()->itemText(0), groups->Groups().front().key);

        // Choosing a month brings its header to the top; checking the header checks just its photos.
        view.PhotoPage()->OnDateComboBoxChanged(QStringLiteral("01.2001"));
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        const int last = int(groups->Groups().size()) - 1;
        QCOMPARE(grid->GroupAtTop(), last);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          DateItemWidget::CheckBoxRect(grid->HeaderRect(last)).center());
        QCOMPARE(grid->CheckedCount(), 1);
        QCOMPARE(grid->GroupCheckState(last), Qt::Checked);
        view.OnBtnCheckAll();
        QCOMPARE(grid->CheckedCount(), groups->PhotoCount());
        view.OnBtnUnCheckAll();
        QCOMPARE(grid->CheckedCount(), 0);
    }

    void importTakesWholeImagesWithTheirOwnDate() {
        const QString exif = m_work.filePath("holiday.jpg");
        QVERIFY(vexa::formats::WriteJpeg(exif.toStdString(), {640, 480, 3, "Trip", "2019:07:04 10:00:00"}));
        const QString plain = m_work.filePath("plain.png");
        QVERIFY(vexa::formats::WritePng(plain.toStdString(), {200, 100, 4, "", ""}));
        QVERIFY(Dated(plain, QDate(2020, 2, 10)));
        const QString text = m_work.filePath("notes.jpg");
        const QString empty = m_work.filePath("empty.png");
        const QString cut = m_work.filePath("cut.jpg");
        const QByteArray whole = ReadFile(exif);
        QVERIFY(WriteFile(text, "just some words\n") && WriteFile(empty, {}));
        QVERIFY(WriteFile(cut, whole.left(whole.size() / 2)));
        const QString synced = QString::fromStdString((Media() / "PhotoData/Sync/100SYNCD").string());
        const auto filesBefore = QDir(synced).entryList(QDir::Files | QDir::Hidden).size();
        const auto monthsBefore = DeviceMonths();

        QPhotoView view(m_manager, m_phone.Handle());
        Load(view);
        QString lastLine;
        const auto acknowledge = AcknowledgeTransfer(&lastLine);
        view.ImportFiles({text, exif, empty, plain, cut});
        QCOMPARE(lastLine, QStringLiteral("3 file(s) could not be copied."));
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning(), 15000);
        QCoreApplication::processEvents();

        // Only the two whole pictures arrived, each in the month it was taken; nothing else was left behind.
        auto expected = monthsBefore;
        ++expected[QStringLiteral("07.2019")];
        ++expected[QStringLiteral("02.2020")];
        QCOMPARE(DeviceMonths(), expected);
        const CPhotoMonthGroups* groups = view.PhotoPage()->Grid()->Groups();
        const int july = groups->IndexOf(QStringLiteral("07.2019"));
        QVERIFY(july >= 0);
        QCOMPARE(groups->Groups()[size_t(july)].Count(), 1);
        QCOMPARE(QDir(synced).entryList(QDir::Files | QDir::Hidden).size(), filesBefore + 2);
        QVERIFY2(m_messages->Messages().isEmpty(), qPrintable(m_messages->Messages().join(u'|')));
    }

    void droppedPicturesAndFoldersAreImportedOthersNamed() {
        const QString folder = m_work.filePath("dropped");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/deeper")));
        QVERIFY(vexa::formats::WriteJpeg((folder + QStringLiteral("/deeper/beach.JPG")).toStdString(),
                                         {320, 240, 5, "Beach", "2018:05:06 09:00:00"}));
        QVERIFY(vexa::formats::WriteJpeg((folder + QStringLiteral("/hills.jpeg")).toStdString(),
                                         {320, 240, 6, "Hills", "2017:03:02 08:00:00"}));
        const QString text = folder + QStringLiteral("/readme.txt");
        const QString report = m_work.filePath("report.pdf");
        QVERIFY(WriteFile(text, "not a picture") && WriteFile(report, "not a picture"));
        const auto monthsBefore = DeviceMonths();

        // Dropped on the album page: the pictures go to the Photo Library, the rest is named.
        QPhotoView view(m_manager, m_phone.Handle());
        Load(view);
        LoadAlbums(view);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(folder + QLatin1Char('/')), QUrl::fromLocalFile(report)});
        QVERIFY(SendDrop(&view, &files));
        QTRY_VERIFY_WITH_TIMEOUT(!m_messages->Messages().isEmpty(), 15000);
        QCOMPARE(m_messages->Messages(), Skipped(2));
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && !view.AlbumPage()->IsRunning(), 15000);
        QCoreApplication::processEvents();
        auto expected = monthsBefore;
        ++expected[QStringLiteral("05.2018")];
        ++expected[QStringLiteral("03.2017")];
        QCOMPARE(DeviceMonths(), expected);

        // Dropped on the photo page with nothing to import: no transfer, only the message.
        m_messages->Clear();
        view.OnComboBoxChanged(QPhotoView::PhotosPage);
        QMimeData others;
        others.setUrls({QUrl::fromLocalFile(text)});
        QVERIFY(SendDrop(&view, &others));
        QTRY_COMPARE(m_messages->Messages(), Skipped(1));
        QVERIFY(!view.IsRunning());
        QCOMPARE(DeviceMonths(), expected);
    }

    void albumNamesRefuseForbiddenCharactersAndBadLengths() {
        QPhotoView view(m_manager, m_phone.Handle());
        LoadAlbums(view);
        PicItemTotal* family = view.AlbumPage()->TileOf("Family");
        QVERIFY(family);
        RetractLabel* label = family->NameLabel();
        label->StartEdit();
        QLineEdit* editor = label->Editor();
        editor->end(false);
        QTest::keyClick(editor, ':');
        QCOMPARE(editor->text(), QStringLiteral("Family"));
        QTest::keyClicks(editor, "a/b*c");
        QCOMPARE(editor->text(), QStringLiteral("Familyabc"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!label->IsEditing());

        // The built-in albums keep their names.
        PicItemTotal* roll = view.AlbumPage()->TileOf("Camera Roll");
        QVERIFY(roll);
        roll->NameLabel()->StartEdit();
        QTest::keyClicks(roll->NameLabel()->Editor(), "Mine");
        QTest::keyClick(roll->NameLabel()->Editor(), Qt::Key_Return);
        QTRY_COMPARE(m_messages->Messages(), QStringList({kCannotRename}));

        m_messages->Clear();
        view.OnNewAlbum(QStringLiteral("   "));
        view.OnNewAlbum(QString(500, QLatin1Char('a')));
        view.OnNewAlbum(QStringLiteral("a:b"));
        QCOMPARE(m_messages->Messages().size(), 3);
        QVERIFY(!view.AlbumPage()->IsRunning());

        NewAlbumWidget dialog;
        QTest::keyClicks(dialog.Editor(), "<>|");
        QVERIFY(dialog.Editor()->text().isEmpty());
        QVERIFY(!dialog.OkButton()->isEnabled());
        QTest::keyClicks(dialog.Editor(), QString(500, QLatin1Char('b')));
        QCOMPARE(dialog.Editor()->text().size(), RetractLabel::kMaxNameLength);
        QVERIFY(dialog.OkButton()->isEnabled());
    }

    void albumsRoundTripThroughAReload() {
        {
            QPhotoView view(m_manager, m_phone.Handle());
            LoadAlbums(view);
            view.OnNewAlbum(QStringLiteral("Trips 2026"));
            QTRY_VERIFY_WITH_TIMEOUT(view.AlbumPage()->TileOf("Trips 2026"), 15000);
            PicItemTotal* tile = view.AlbumPage()->TileOf("Trips 2026");
            QCOMPARE(tile->ShownText(), QStringLiteral("Trips 2026 (0)"));

            // A picture imported into the open album counts on its tile; taking it out asks first.
            const QString picture = m_work.filePath("trip.png");
            QVERIFY(vexa::formats::WritePng(picture.toStdString(), {64, 48, 5, "", ""}));
            // Dated long ago, so that it joins no month the other tests look at.
            QVERIFY(Dated(picture, QDate(2002, 6, 15)));
            QByteArray id = tile->Album().id;
            const auto openAlbum = [&] {
                view.OnEnterAlbumView(ALBUM_USER, id.data());
                QTRY_VERIFY_WITH_TIMEOUT(
                    !view.AlbumShow()->IsRunning() && !view.AlbumShow()->Page()->IsLoading(), 15000);
            };
            // The album page reloads after the return; the tile's count changes once it has.
            const auto tileCount = [&] {
                PicItemTotal* shown = view.AlbumPage()->TileOf("Trips 2026");
                return shown ? shown->Album().photoCount : -1;
            };
            openAlbum();
            QString lastLine;
            const auto acknowledge = AcknowledgeTransfer(&lastLine);
            view.ImportFiles({picture});
            QTRY_COMPARE_WITH_TIMEOUT(view.AlbumShow()->Page()->Grid()->List()->Count(), 1, 15000);
            emit view.AlbumShow()->emitReturn(ALBUM_USER);
            QTRY_COMPARE_WITH_TIMEOUT(tileCount(), 1, 15000);
            openAlbum();
            for (bool yes : {false, true}) {
                view.AlbumShow()->Page()->Grid()->SetChecked(0, true);
                m_messages->SetAnswerYes(yes);
                view.OnBtnDelete();
                QCOMPARE(m_messages->Messages().size(), 1);
                m_messages->Clear();
                QTRY_VERIFY_WITH_TIMEOUT(!view.AlbumShow()->IsRunning(), 15000);
            }
            m_messages->SetAnswerYes(false);
            emit view.AlbumShow()->emitReturn(ALBUM_USER);
            QTRY_COMPARE_WITH_TIMEOUT(tileCount(), 0, 15000);
            QTRY_VERIFY_WITH_TIMEOUT(!view.AlbumPage()->IsRunning(), 15000);
            tile = view.AlbumPage()->TileOf("Trips 2026");
            tile->NameLabel()->StartEdit();
            tile->NameLabel()->Editor()->setText(QStringLiteral("Reisen \u00fc"));
            QTest::keyClick(tile->NameLabel()->Editor(), Qt::Key_Return);
            QTRY_VERIFY_WITH_TIMEOUT(view.AlbumPage()->TileOf("Reisen \u00fc"), 15000);
        }
        {
            // Another page reads the device afresh.
            QPhotoView view(m_manager, m_phone.Handle());
            LoadAlbums(view);
            PicItemTotal* tile = view.AlbumPage()->TileOf("Reisen \u00fc");
            QVERIFY(tile);
            QVERIFY(!view.AlbumPage()->TileOf("Trips 2026"));
            tile->SetChecked(true);
            view.OnBtnDelete();
            QTRY_VERIFY_WITH_TIMEOUT(
                !view.AlbumPage()->IsRunning() && !view.AlbumPage()->TileOf("Reisen \u00fc"), 15000);
        }
        QPhotoView view(m_manager, m_phone.Handle());
        LoadAlbums(view);
        QVERIFY(!view.AlbumPage()->TileOf("Reisen \u00fc"));
        QVERIFY(m_messages->Messages().isEmpty());
    }

    void renamingAVanishedAlbumSaysSoAndDeleteKeepsBuiltInAlbums() {
        IAlbumLibrary* albums = m_manager->GetAlbums();
        AlbumRecord* created = nullptr;
        QCOMPARE(albums->CreateAlbum(u"Fleeting", &created), 0);
        const QByteArray id(created->id);
        QCOMPARE(albums->PublishAlbum(created->id, created->name, created->type), 0);
        QCOMPARE(albums->ReleaseAlbum(created), 0);

        QPhotoView view(m_manager, m_phone.Handle());
        LoadAlbums(view);
        PicItemTotal* tile = view.AlbumPage()->TileOf("Fleeting");
        QVERIFY(tile);
        QCOMPARE(albums->DeleteAlbum(id.constData()), 0);
        tile->NameLabel()->StartEdit();
        tile->NameLabel()->Editor()->setText(QStringLiteral("Lasting"));
        QTest::keyClick(tile->NameLabel()->Editor(), Qt::Key_Return);
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList({"The album Fleeting no longer exists on the device."}));
        QTRY_VERIFY(!view.AlbumPage()->IsRunning());
        QVERIFY(!view.AlbumPage()->TileOf("Fleeting"));
        QVERIFY(!view.AlbumPage()->TileOf("Lasting"));

        // Deleting asks for a choice first, and keeps the built-in albums.
        m_messages->Clear();
        view.OnBtnDelete();
        QCOMPARE(m_messages->Messages(), QStringList({"Please choose one or more items first!"}));
        m_messages->Clear();
        view.AlbumPage()->TileOf("Holiday 2025")->SetChecked(true);
        view.AlbumPage()->TileOf("Camera Roll")->SetChecked(true);
        view.OnBtnDelete();
        QTRY_COMPARE(m_messages->Messages(), QStringList({kCannotDelete}));
        QTRY_VERIFY_WITH_TIMEOUT(!view.AlbumPage()->IsRunning() && !view.AlbumPage()->TileOf("Holiday 2025"),
                                 15000);
        QVERIFY(view.AlbumPage()->TileOf("Camera Roll"));
        QVERIFY(view.AlbumPage()->TileOf("Photo Libary") || view.AlbumPage()->Tiles().size() >= 3);
    }

    // A Live Photo's clip comes along with its still. The export dialog starts with originals and remembers
    // the HEIC choice; converted, a Live Photo is its still as JPEG and its clip as it is.
    void exportWritesTheDeviceBytesOrConvertsHeicWhenAsked() {
        QPhotoView view(m_manager, m_phone.Handle());
        Load(view);
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        for (int i = 0; i < grid->List()->Count(); ++i) {
            const QByteArray name = grid->List()->Record(i)->fileName;
            if (name == "IMG_0001.JPG" || name == "IMG_0085.HEIC")
                grid->SetChecked(i, true);
        }
        const QString folder = m_work.filePath("export");
        QCOMPARE(view.ExportTo(folder), 0);
        auto exportedMatch = [&] {
            for (const char* path : {"/DCIM/100APPLE/IMG_0001.JPG", "/DCIM/100APPLE/IMG_0085.HEIC",
                                     "/DCIM/100APPLE/IMG_0085.MOV"}) {
                const QString exported =
                    folder + QLatin1Char('/') + QFileInfo(QLatin1String(path)).fileName();
                if (Md5(exported).isEmpty() || Md5(exported) != Md5(FileOnDevice(path)))
                    return false;
            }
            return true;
        };
        QVERIFY(exportedMatch());
        QVERIFY(WriteFile(folder + QStringLiteral("/IMG_0001.JPG"), "not the photo"));
        QCOMPARE(view.ExportTo(folder), 0);
        QVERIFY(exportedMatch());
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);

        const QString converted = m_work.filePath("export-jpeg");
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") +
                      QStringLiteral("/vexa-transfer/settings.ini"));
        QVERIFY(QDir().mkpath(converted));
        {
            PhotoExportDialog dialog;
            QVERIFY(!dialog.ConvertBox()->isChecked());
            dialog.FolderEdit()->setText(converted);
            dialog.ConvertBox()->setChecked(true);
            dialog.accept();
        }
        PhotoExportDialog again;
        QVERIFY(again.ConvertBox()->isChecked());
        QCOMPARE(again.Folder(), converted);
        QCOMPARE(view.ExportTo(converted, again.ConvertHeic()), 0);
        QCOMPARE(QDir(converted).entryList(QDir::Files),
                 QStringList({"IMG_0001.JPG", "IMG_0085.JPG", "IMG_0085.MOV"}));
        QCOMPARE(QImage(converted + QStringLiteral("/IMG_0085.JPG")).size(), QSize(640, 480));
        PhotoExportDialog::SetConvertHeicSetting(false);
    }

    void deleteRemovesCheckedPhotosOfBothKinds() {
        QPhotoView view(m_manager, m_phone.Handle());
        Load(view);
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        QByteArray taken, synced;
        for (int i = 0; i < grid->List()->Count() && (taken.isEmpty() || synced.isEmpty()); ++i) {
            const PhotoRecord* record = grid->List()->Record(i);
            if (CPhotoMonthGroups::IsVideo(record->fileName))
                continue;
            QByteArray& slot = record->kind == 2 ? synced : taken;
            if (slot.isEmpty()) {
                slot = record->id;
                grid->SetChecked(i, true);
            }
        }
        QVERIFY(!taken.isEmpty() && !synced.isEmpty());
        const int before = view.RecordCount();
        view.DeleteChecked();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.RecordCount() == before - 2, 15000);
        for (int i = 0; i < grid->List()->Count(); ++i) {
            const QByteArray id(grid->List()->Record(i)->id);
            QVERIFY(id != taken && id != synced);
        }
        QVERIFY(m_messages->Messages().isEmpty());
    }

    void thumbnailsFollowTheScreenAndAreDroppedFarAway() {
        QPhotoView view(m_manager, m_phone.Handle());
        Load(view, QSize(420, 300));
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        QPhotoStretchThread* thread = view.PhotoPage()->StretchThread();
        const auto& groups = grid->Groups()->Groups();
        const int first = groups.front().photos.front().index;
        const int lastGroup = int(groups.size()) - 1;
        const int lastPosition = groups.back().Count() - 1;
        const int last = groups.back().photos.back().index;
        QVERIFY2(
            grid->ContentHeight() > 8 * grid->viewport()->height(),
            qPrintable(QStringLiteral("%1 %2").arg(grid->ContentHeight()).arg(grid->viewport()->height())));
        QTRY_VERIFY_WITH_TIMEOUT(thread->IsIdle() && grid->HasThumbnail(first), 15000);
        QCoreApplication::processEvents();
        QVERIFY(!grid->HasThumbnail(last));
        const size_t nearTop = grid->CachedThumbnailCount();
        QVERIFY(nearTop > 0);

        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QVERIFY(grid->TileRect(lastGroup, lastPosition).intersects(grid->viewport()->rect()));
        QTRY_VERIFY_WITH_TIMEOUT(thread->IsIdle() && (grid->HasThumbnail(last) || grid->IsPlaceholder(last)),
                                 15000);
        QVERIFY(!grid->HasThumbnail(first));
        QVERIFY(grid->CachedThumbnailCount() <= QPhotoGridView::kCachedThumbnails);

        // The HEIC picture the device makes no thumbnail of shows its name, and no message interrupts.
        grid->verticalScrollBar()->setValue(0);
        int heic = -1;
        for (int i = 0; i < grid->List()->Count(); ++i)
            if (QByteArray(grid->List()->Record(i)->fileName).endsWith("HEIC"))
                heic = i;
        QVERIFY(heic >= 0);
        QTRY_VERIFY_WITH_TIMEOUT(grid->IsPlaceholder(heic), 15000);
        QVERIFY(m_messages->Messages().isEmpty());
        // It is counted on the page's line once its thumbnail failed.
        QTRY_VERIFY(view.UnreadableLine()->isVisible());
        QVERIFY2(view.UnreadableLine()->text().startsWith(QLatin1String("1 ")),
                 qPrintable(view.UnreadableLine()->text()));
    }

    // Last: the device leaves.

    void unplugDuringThumbnailsShowsNamesWithoutMessages() {
        QCOMPARE(AddFault({.operation = "LoadThumbnail", .unplug = true, .after = 3}), 0);
        QPhotoView view(m_manager, m_phone.Handle());
        Load(view);
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        const int first = grid->Groups()->Groups().front().photos.front().index;
        const int fifth = grid->Groups()->Groups().front().photos.size() > 5
                              ? grid->Groups()->Groups().front().photos[5].index
                              : first;
        QTRY_VERIFY_WITH_TIMEOUT(grid->IsPlaceholder(fifth), 15000);
        QVERIFY(view.PhotoPage()->StretchThread()->IsIdle());
        view.OnBtnCheckAll();
        QCOMPARE(grid->CheckedCount(), grid->Groups()->PhotoCount());

        QVERIFY(m_messages->Messages().isEmpty());

        // A refresh of the gone device leaves the page empty and says why, once.
        view.OnBtnRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.RecordCount() == 0, 15000);
        QTRY_COMPARE(m_messages->Messages(), QStringList({"The photos could not be read from the device."}));
        QCOMPARE(grid->Groups()->PhotoCount(), 0);
    }

private:
    void Load(QPhotoView& view, QSize size = QSize(1000, 700)) {
        view.resize(size);
        view.show();
        view.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.HasLoaded(), 15000);
        QCoreApplication::processEvents();
    }

    void LoadAlbums(QPhotoView& view) {
        view.OnComboBoxChanged(QPhotoView::AlbumsPage);
        QTRY_VERIFY_WITH_TIMEOUT(view.AlbumPage()->HasLoaded() && !view.AlbumPage()->IsRunning(), 15000);
        QCoreApplication::processEvents();
    }

    std::filesystem::path Media() const { return DeviceFolder() / "Media"; }
    // Months and their photo counts as the device's own list gives them, videos left out.

    std::map<QString, int> DeviceMonths() {
        std::map<QString, int> months;
        IPhotoLibrary* photos = m_manager->GetPhotos();
        PhotoRecord* records = nullptr;
        int count = 0;
        if (photos->PrepareList() != 0 || photos->GetPhotoList(&records, &count) != 0)
            return months;
        for (int i = 0; i < count; ++i) {
            const QString name = QString::fromUtf8(records[i].fileName).toLower();
            if (name.endsWith(QLatin1String("mov")) || name.endsWith(QLatin1String("mp4")))
                continue;
            const QDateTime when = QDateTime::fromSecsSinceEpoch(records[i].date + kUnixTimeOf2001, Qt::UTC);
            ++months[when.toString(QStringLiteral("MM.yyyy"))];
        }
        return months;
    }

    QString FileOnDevice(const char* devicePath) const {
        return QString::fromStdString((Media() / (devicePath + 1)).string());
    }

    QTemporaryDir m_work;
};

QTEST_MAIN(tst_photos)
#include "tst_photos.moc"
