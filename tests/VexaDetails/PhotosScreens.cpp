// Renders the photo pages (photos by month with thumbnails, the albums, an open album, the new-album
// dialog) in English and German, and the photo page after pictures were dropped on it, into PNG files,
// so their look can be checked by eye.
// Usage: photos_screens <output folder>
#include <atomic>
#include <filesystem>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/vexa.h>

#include "CPhotoMonthGroups.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "NewAlbumWidget.h"
#include "PicItemTotal.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoStretchThread.h"
#include "QPhotoView.h"
#include "SendDrop.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"
#include "sim/ContentServices.h"

namespace {

const char* const kUdid = "00008101-00000000005C4F07";
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

void WaitFor(const std::function<bool()>& done) {
    if (!QTest::qWaitFor(done, 10000))
        qWarning("gave up waiting");
}

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(120);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const std::filesystem::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    if (vexa::sim::GenerateDemoDevice(root, kUdid, "Screens Phone") != 0)
        return 1;
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return g_handle != 0; }, 10000))
        return 1;
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_handle) != 0)
        return 1;

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}};
    for (const auto& language : languages) {
        SetLanguage(language.code);
        QPhotoView view(manager, g_handle);
        view.resize(1000, 640);
        view.show();
        view.Start();
        WaitFor([&] { return view.HasLoaded() && !view.IsRunning(); });
        QPhotoGridView* grid = view.PhotoPage()->Grid();
        WaitFor([&] { return view.PhotoPage()->StretchThread()->IsIdle(); });
        const auto& first = grid->Groups()->Groups().front();
        for (size_t i = 0; i < first.photos.size() && i < 3; ++i)
            grid->SetChecked(first.photos[i].index, true);
        Save(&view, QStringLiteral("%1/photos_page_%2.png").arg(output, language.name));

        view.OnComboBoxChanged(QPhotoView::AlbumsPage);
        WaitFor([&] { return view.AlbumPage()->HasLoaded() && !view.AlbumPage()->IsRunning(); });
        if (PicItemTotal* family = view.AlbumPage()->TileOf(QStringLiteral("Family")))
            family->SetChecked(true);
        Save(&view, QStringLiteral("%1/photos_albums_%2.png").arg(output, language.name));

        if (PicItemTotal* holiday = view.AlbumPage()->TileOf(QStringLiteral("Holiday 2025"))) {
            emit holiday->emitDoubleClicked(const_cast<char*>(holiday->Album().id.constData()),
                                            holiday->Album().type);
            WaitFor([&] { return !view.AlbumShow()->IsRunning() && !view.AlbumShow()->Page()->IsLoading(); });
            WaitFor([&] { return view.AlbumShow()->Page()->StretchThread()->IsIdle(); });
            Save(&view, QStringLiteral("%1/photos_open_album_%2.png").arg(output, language.name));
        }

        NewAlbumWidget dialog;
        dialog.show();
        QTest::keyClicks(dialog.Editor(), "Summer 2026");
        Save(&dialog, QStringLiteral("%1/photos_new_album_%2.png").arg(output, language.name));
    }
    {
        // A folder of three pictures and a text file dropped on the photo page: the pictures are new
        // files without a date of their own, so they head the page under the current month.
        SetLanguage(31);
        const QString folder = home.filePath(QStringLiteral("dropped"));
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
        QPhotoView view(manager, g_handle);
        view.resize(1000, 640);
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
        Save(&view, QStringLiteral("%1/photos_after_drop_en.png").arg(output));
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return 0;
}
