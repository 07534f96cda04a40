// Renders the photo pages (photos by month with thumbnails, the albums, an open album, the new-album
// dialog) in English and German, and the photo page after pictures were dropped on it, into PNG files,
// so their look can be checked by eye.
// Usage: photos_screens <output folder>
#include <functional>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "CPhotoMonthGroups.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "NewAlbumWidget.h"
#include "PicItemTotal.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoStretchThread.h"
#include "QPhotoView.h"
#include "ScreensSession.h"
#include "SendDrop.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"

namespace {

const char* const kUdid = "00008101-00000000005C4F07";
void WaitFor(const std::function<bool()>& done) {
    if (!QTest::qWaitFor(done, 10000))
        qWarning("gave up waiting");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    if (!session.GenerateDemo(kUdid, "Screens Phone") || !session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QPhotoView view(manager, handle);
        view.resize(830, 650); // the page in a window of the default size
        view.show();
        view.Start();
        WaitFor([&] { return view.HasLoaded() && !view.IsRunning(); });
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        WaitFor([&] { return view.PhotoPage()->StretchThread()->IsIdle(); });
        const auto& first = grid->Groups()->Groups().front();
        for (size_t i = 0; i < first.photos.size() && i < 3; ++i)
            grid->SetChecked(first.photos[i].index, true);
        ScreensSession::Save(&view, session.Picture(QStringLiteral("photos_page"), language.name), 120);

        view.OnComboBoxChanged(QPhotoView::AlbumsPage);
        WaitFor([&] { return view.AlbumPage()->HasLoaded() && !view.AlbumPage()->IsRunning(); });
        if (PicItemTotal* family = view.AlbumPage()->TileOf(QStringLiteral("Family")))
            family->SetChecked(true);
        ScreensSession::Save(&view, session.Picture(QStringLiteral("photos_albums"), language.name), 120);

        if (PicItemTotal* holiday = view.AlbumPage()->TileOf(QStringLiteral("Holiday 2025"))) {
            emit holiday->emitDoubleClicked(const_cast<char*>(holiday->Album().id.constData()),
                                            holiday->Album().type);
            WaitFor([&] { return !view.AlbumShow()->IsRunning() && !view.AlbumShow()->Page()->IsLoading(); });
            WaitFor([&] { return view.AlbumShow()->Page()->StretchThread()->IsIdle(); });
            ScreensSession::Save(&view, session.Picture(QStringLiteral("photos_open_album"), language.name),
                                 120);
        }

        NewAlbumWidget dialog;
        dialog.show();
        QTest::keyClicks(dialog.Editor(), "Summer 2026");
        ScreensSession::Save(&dialog, session.Picture(QStringLiteral("photos_new_album"), language.name),
                             120);
    }
    {
        // A folder of three pictures and a text file dropped on the photo page: the pictures are new
        // files without a date of their own, so they head the page under the current month.
        SetLanguage(31);
        const QString folder = session.Home().filePath(QStringLiteral("dropped"));
        QDir().mkpath(folder);
        for (int i = 0; i < 3; ++i) {
            QImage image(480, 360, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(40 + i * 100, 150, 230));
            image.save(QStringLiteral("%1/dropped %2.jpg").arg(folder).arg(i + 1));
        }
        QFile notes(folder + QStringLiteral("/notes.txt"));
        if (notes.open(QIODevice::WriteOnly))
            notes.write("not a picture");
        notes.close();
        const MessageCatcher messages;
        QPhotoView view(manager, handle);
        view.resize(830, 650); // the page in a window of the default size
        view.show();
        view.Start();
        WaitFor([&] { return view.HasLoaded() && !view.IsRunning(); });
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(folder)});
        SendDrop(&view, &files);
        WaitFor([&] { return !messages.Messages().isEmpty(); });
        WaitFor([&] { return view.HasLoaded() && !view.IsRunning(); });
        WaitFor([&] { return view.PhotoPage()->StretchThread()->IsIdle(); });
        qInfo("after the drop: %s", qPrintable(messages.Messages().join(QLatin1Char('|'))));
        ScreensSession::Save(&view, session.Picture(QStringLiteral("photos_after_drop"), "en"), 120);
    }
    return 0;
}
