// Renders the Photos page of a phone served by vexa-device-emulator through the usb backend (HEIC
// pictures among the thumbnails, the line saying photos are only copied off here), an open album, the
// Favorites group, and the photo export's dialog with its HEIC option, in English and German, for a
// look by eye.
// Usage: photos_usb_screens <folder>
#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>

#include <vexa/vexa.h>

#include "AppPaths.h"
#include "EmulatorProcess.h"
#include "LanguageService.h"
#include "PhotoExportDialog.h"
#include "PicItemTotal.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoStretchThread.h"
#include "QPhotoView.h"
#include "ScreensSession.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"

namespace {

const char kUdid[] = "00008030-001A2B3C4D5E6F71";

void WaitFor(const std::function<bool()>& done) {
    if (!QTest::qWaitFor(done, 15000))
        qWarning("gave up waiting");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    QTemporaryDir home;
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    EmulatorProcess emulator;
    if (emulator.SimCtl({"create-demo", "--udid", kUdid, "--name", "Anna's iPhone", "--ios", "17"}) != 0 ||
        !emulator.Start())
        return 1;
    qputenv("VEXA_BACKEND", "usb");
    const size_t from = EventCount();
    IOSInitialize();
    IOSListener(RecordEvent);
    const int handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED, 0, 30000);
    Manager manager = Bind(handle);
    if (!manager)
        return 2;

    for (const auto& language : kScreenLanguages) {
        if (QLatin1String(language.name) == QLatin1String("zh"))
            continue;
        SetLanguage(language.code);
        auto picture = [&](const char* name) {
            return QStringLiteral("%1/%2_%3.png")
                .arg(output, QLatin1String(name), QLatin1String(language.name));
        };
        QPhotoView view(manager.get(), handle);
        view.resize(830, 650);
        view.show();
        view.Start();
        WaitFor([&] { return view.HasLoaded() && !view.IsRunning(); });
        // The newest month, shown first, holds the HEIC pictures and the Live Photo.
        WaitFor([&] { return view.PhotoPage()->StretchThread()->IsIdle(); });
        ScreensSession::Save(&view, picture("photos_usb_page"), 300);

        view.OnComboBoxChanged(QPhotoView::AlbumsPage);
        WaitFor([&] { return view.AlbumPage()->HasLoaded() && !view.AlbumPage()->IsRunning(); });
        ScreensSession::Save(&view, picture("photos_usb_albums"), 200);
        if (PicItemTotal* holiday = view.AlbumPage()->TileOf(QStringLiteral("Holiday 2025"))) {
            emit holiday->emitDoubleClicked(const_cast<char*>(holiday->Album().id.constData()),
                                            holiday->Album().type);
            WaitFor([&] { return !view.AlbumShow()->IsRunning() && !view.AlbumShow()->Page()->IsLoading(); });
            WaitFor([&] { return view.AlbumShow()->Page()->StretchThread()->IsIdle(); });
            ScreensSession::Save(&view, picture("photos_usb_open_album"), 300);
            view.OnReturnAlbumView(holiday->Album().type);
        }
        // One of the groups the phone makes from its library's flags.
        if (PicItemTotal* favorites = view.AlbumPage()->TileOf(QStringLiteral("Favorites"))) {
            emit favorites->emitDoubleClicked(const_cast<char*>(favorites->Album().id.constData()),
                                              favorites->Album().type);
            WaitFor([&] { return !view.AlbumShow()->IsRunning() && !view.AlbumShow()->Page()->IsLoading(); });
            WaitFor([&] { return view.AlbumShow()->Page()->StretchThread()->IsIdle(); });
            ScreensSession::Save(&view, picture("photos_usb_favorites"), 300);
        }

        PhotoExportDialog dialog;
        dialog.ConvertBox()->setChecked(true);
        dialog.show();
        ScreensSession::Save(&dialog, picture("photos_usb_export_dialog"), 120);
    }
    manager.reset();
    qputenv("VEXA_BACKEND", "sim");
    IOSInitialize();
    IOSListener(nullptr);
    emulator.Stop();
    return 0;
}
