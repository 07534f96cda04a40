#include <functional>
#include <map>

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <vexa/vexa.h>

#include "CPhotoList.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "PicItemTotal.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoView.h"
#include "SweepKit.h"
#include "TreeNode.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"
#include "formats/ImageFile.h"

namespace {

// What one row's action chose, for its check on the device afterwards.
QString g_albumName;
QString g_renamedTo;
QByteArray g_removedPhoto;
int g_photosBeforeImport = -1;

QPhotoView* PhotoView(SweepDevice& device) {
    TreeNode* node = device.Category(SUB_ITEM_PHOTOS);
    return node ? qobject_cast<QPhotoView*>(node->Binding().view) : nullptr;
}

// The device's photos without its videos, as the photo page counts them; -1 when unreadable.
int DevicePhotos(SweepDevice& device) {
    int photos = -1;
    device.WithManager([&](IVexaManager* manager) {
        PhotoRecord* records = nullptr;
        int count = 0;
        if (manager->GetPhotos()->GetPhotoList(&records, &count) != 0)
            return false;
        photos = 0;
        for (int i = 0; i < count; ++i) {
            const QString name = QString::fromUtf8(records[i].fileName);
            photos += !name.endsWith(QLatin1String("MOV"), Qt::CaseInsensitive) &&
                      !name.endsWith(QLatin1String("mp4"), Qt::CaseInsensitive);
        }
        return true;
    });
    return photos;
}

struct DeviceAlbum {
    QByteArray id;
    int photoCount = 0;
};

// The device's albums by name, read through a manager of the sweep's own.
std::map<QString, DeviceAlbum> DeviceAlbums(SweepDevice& device) {
    std::map<QString, DeviceAlbum> albums;
    device.WithManager([&](IVexaManager* manager) {
        IAlbumLibrary* library = manager->GetAlbums();
        AlbumRecord* records = nullptr;
        int count = 0;
        if (library->PrepareList() != 0 || library->GetAlbumList(&records, &count) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            albums[QString::fromUtf8(records[i].name)] = {QByteArray(records[i].id), records[i].photoCount};
        return true;
    });
    return albums;
}

// The photos of one album, by id.
std::vector<QByteArray> AlbumPhotos(SweepDevice& device, const QByteArray& albumId) {
    std::vector<QByteArray> ids;
    device.WithManager([&](IVexaManager* manager) {
        PhotoRecord* records = nullptr;
        int count = 0;
        if (manager->GetAlbums()->GetAlbumPhotos(&records, &count, albumId.constData()) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            ids.emplace_back(records[i].id);
        return true;
    });
    return ids;
}

QString NewPicture(SweepDevice& device) {
    const QString path = ExportRoot().filePath(QStringLiteral("sweep%1.jpg").arg(device.Next()));
    vexa::formats::WriteJpeg(path.toStdString(), {64, 48, device.Next(), "Sweep", "2021:03:04 05:06:07"});
    return path;
}

// A user album of a fresh name on the device, made behind the program's back, with one picture in it
// when `withPhoto`. Its name goes to g_albumName.
void MakeUserAlbum(SweepDevice& device, bool withPhoto) {
    g_albumName = QStringLiteral("Sweep own %1").arg(device.Next());
    const QString picture = withPhoto ? NewPicture(device) : QString();
    device.WithManager([&](IVexaManager* manager) {
        IAlbumLibrary* albums = manager->GetAlbums();
        AlbumRecord* created = nullptr;
        if (albums->CreateAlbum(reinterpret_cast<const char16_t*>(g_albumName.utf16()), &created) != 0 ||
            !created)
            return false;
        const QByteArray id(created->id);
        const bool published = albums->PublishAlbum(created->id, created->name, created->type) == 0;
        albums->ReleaseAlbum(created);
        return published &&
               (!withPhoto || albums->ImportPhotoFile(reinterpret_cast<const char16_t*>(picture.utf16()),
                                                      id.constData()) == 0);
    });
}

// Shows the album page read from the device, then runs `change` on the page's worker and waits for the
// page's next reading, which every change of albums ends with. True when that reading worked.
bool ChangeAlbums(SweepDevice& device, const std::function<void(QPhotoView*)>& change, bool theCall = true) {
    QPointer<QPhotoView> view = PhotoView(device);
    if (!view)
        return false;
    device.Press(device.Category(SUB_ITEM_PHOTOS));
    if (!Await(view, [&] { return !view->IsRunning(); }))
        return false;
    view->OnComboBoxChanged(QPhotoView::AlbumsPage);
    QPointer<UserPicWidget> albums = view->AlbumPage();
    QSignalSpy read(albums.data(), &UserPicWidget::emitAlbumsRead);
    Await(albums, [&] { return !albums->IsRunning(); });
    read.clear();
    if (theCall)
        device.JustBeforeCall();
    if (view)
        change(view);
    return Await(albums, [&] { return !albums->IsRunning() && !read.isEmpty(); }) && !read.isEmpty() &&
           !albums->LastReadFailed();
}

// Shows the album page read again from the device, so that it knows the albums the sweep made behind
// its back. No fault is armed for the reading's calls.
bool ShowFreshAlbums(SweepDevice& device) {
    return ChangeAlbums(
        device, [](QPhotoView* view) { view->OnBtnRefresh(); }, false);
}

PicItemTotal* AlbumTile(SweepDevice& device, const QString& name) {
    QPhotoView* view = PhotoView(device);
    return view ? view->AlbumPage()->TileOf(name) : nullptr;
}

bool RenameThroughTile(SweepDevice& device) {
    g_renamedTo = QStringLiteral("Sweep renamed %1").arg(device.Next());
    QPointer<QPhotoView> view;
    const bool read = ShowFreshAlbums(device) && ChangeAlbums(device, [&](QPhotoView* page) {
                          view = page;
                          // The album page knows the album once it has read it; the name edit of its tile
                          // ends here.
                          PicItemTotal* tile = page->AlbumPage()->TileOf(g_albumName);
                          QByteArray id = tile ? tile->Album().id : QByteArray("missing");
                          page->AlbumPage()->OnChangAlbumName(id.data(), g_renamedTo);
                      });
    return read && view && AlbumTile(device, g_renamedTo) != nullptr;
}

bool DeleteThroughMenu(SweepDevice& device) {
    QPointer<QPhotoView> view;
    const bool read = ShowFreshAlbums(device) && ChangeAlbums(device, [&](QPhotoView* page) {
                          view = page;
                          page->OnDeleteAlbum(g_albumName);
                      });
    return read && view && AlbumTile(device, g_albumName) == nullptr;
}

// Opens the user album g_albumName, checks its one photo and presses Delete, which takes it out of
// the album. True when the album shows empty afterwards and nothing was reported.
bool RemoveFromOpenAlbum(SweepDevice& device) {
    g_removedPhoto.clear();
    if (!ShowFreshAlbums(device))
        return false;
    QPointer<QPhotoView> view = PhotoView(device);
    PicItemTotal* tile = AlbumTile(device, g_albumName);
    if (!view || !tile)
        return false;
    QByteArray id = tile->Album().id;
    QPointer<UserPicItemShow> show = view->AlbumShow();
    QSignalSpy read(show.data(), &UserPicItemShow::emitPhotosRead);
    view->OnEnterAlbumView(ALBUM_USER, id.data());
    if (!Await(show, [&] { return !show->IsRunning() && !read.isEmpty(); }) || !view)
        return false;
    QPhotoGridView* grid = show->Page()->Grid();
    if (grid->List()->Count() != 1)
        return false;
    g_removedPhoto = grid->List()->Record(0)->id;
    grid->SetChecked(0, true);
    read.clear();
    const auto messagesBefore = device.Dialogs()->Messages().size();
    device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
    view->DeleteChecked();
    // An album read empty after an unplug is no success: the message decides. The question whether to
    // remove is the one message a healthy removal shows.
    return Await(show, [&] { return !show->IsRunning() && !read.isEmpty(); }) && !read.isEmpty() &&
           show->Page()->Grid()->List()->Count() == 0 &&
           device.Dialogs()->Messages().size() == messagesBefore + 1;
}

// Import on the photo page with one new picture; the transfer dialog's last line counts as its message.
bool ImportOnePicture(SweepDevice& device) {
    QPointer<QPhotoView> view = PhotoView(device);
    if (!view)
        return false;
    g_photosBeforeImport = DevicePhotos(device);
    const QString picture = NewPicture(device);
    // A healthy import closes its dialog by itself, as an export does.
    const auto import = [&] {
        device.JustBeforeCall();
        view->ImportFiles({picture});
    };
    return ExportWithoutMessage(device, import) && view;
}

void AddListRows(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetPhotoList", "press the Photos node, then Refresh on its photo page (loader thread)",
                 "The photos could not be read from the device."},
        .act =
            [](SweepDevice& device) {
                QPointer<QPhotoView> view = PhotoView(device);
                TreeNode* node = device.Category(SUB_ITEM_PHOTOS);
                if (!view || !node)
                    return false;
                const bool first = node->PressCount() == 0;
                QSignalSpy loaded(view.data(), &QPhotoView::emitAnalysisEnd);
                device.JustBeforeCall();
                device.Press(node);
                if (!first && view)
                    view->OnBtnRefresh();
                return Await(view, [&] { return !view->IsRunning() && !loaded.isEmpty(); }) &&
                       !loaded.isEmpty() && !view->LastReadFailed();
            },
        .verify =
            [](SweepDevice& device) {
                QPhotoView* view = PhotoView(device);
                return view && view->RecordCount() == DevicePhotos(device);
            },
    });

    operations.push_back({
        .call = {"GetAlbumList", "Refresh on the album page of Photos (album worker)",
                 "The albums could not be read from the device."},
        .act =
            [](SweepDevice& device) {
                return ChangeAlbums(device, [](QPhotoView* view) { view->OnBtnRefresh(); });
            },
        .verify =
            [](SweepDevice& device) { return AlbumTile(device, QStringLiteral("Camera Roll")) != nullptr; },
    });
}

void AddAlbumRows(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"CreateAlbum", "New album on the album page of Photos (album worker)",
                 "The album Sweep album"},
        .act =
            [](SweepDevice& device) {
                const QString name = QStringLiteral("Sweep album %1").arg(device.Next());
                return ChangeAlbums(device, [&](QPhotoView* page) { page->OnNewAlbum(name); }) &&
                       AlbumTile(device, name) != nullptr;
            },
    });

    // A rename and a delete first ask whether the album is still there (QueryAlbum).
    const auto renameRow = [](const char* operation) {
        return SweepOperation{
            .call = {operation, "the name edit of a user album's tile on the album page (album worker)",
                     "The album could not be renamed to Sweep renamed"},
            .prepare = [](SweepDevice& device) { MakeUserAlbum(device, false); },
            .act = RenameThroughTile,
            .verify =
                [](SweepDevice& device) {
                    const auto albums = DeviceAlbums(device);
                    return albums.count(g_renamedTo) == 1 && albums.count(g_albumName) == 0;
                },
        };
    };
    operations.push_back(renameRow("QueryAlbum"));
    operations.push_back(renameRow("RenameAlbum"));

    operations.push_back({
        .call = {"DeleteAlbum", "Delete album in the tree's album menu (album worker)",
                 "An album could not be deleted."},
        .prepare = [](SweepDevice& device) { MakeUserAlbum(device, false); },
        .act = DeleteThroughMenu,
        .verify = [](SweepDevice& device) { return DeviceAlbums(device).count(g_albumName) == 0; },
    });

    operations.push_back({
        .call = {"RemovePhotosFromAlbum",
                 "Delete on a checked photo of an open user album (album show worker)",
                 "The photos could not be taken out of the album."},
        .prepare = [](SweepDevice& device) { MakeUserAlbum(device, true); },
        .act = RemoveFromOpenAlbum,
        .verify =
            [](SweepDevice& device) {
                // Out of the album, still on the device.
                const auto albums = DeviceAlbums(device);
                const auto album = albums.find(g_albumName);
                return album != albums.end() && AlbumPhotos(device, album->second.id).empty() &&
                       !g_removedPhoto.isEmpty();
            },
    });
}

} // namespace

void AddPhotosOperations(std::vector<SweepOperation>& operations) {
    AddListRows(operations);
    AddAlbumRows(operations);
    operations.push_back({
        .call = {"ImportPhotoFile", "Import on the photo page, one picture (transfer dialog's worker)",
                 "1 file(s) could not be copied."},
        .act = ImportOnePicture,
        .verify = [](SweepDevice& device) { return DevicePhotos(device) == g_photosBeforeImport + 1; },
    });
}
