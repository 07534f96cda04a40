// Renders the music page, a playlist page, the add dialog halfway through an add and the playlist name
// dialog in English, German and Chinese into PNG files, so their look can be checked by eye; under a
// window system also the screen during a drag of a song out of the music page.
// Usage: music_screens <output folder>
#include <chrono>
#include <filesystem>
#include <thread>

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "AddItemDlg.h"
#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListNameDlg.h"
#include "QPlayListView.h"
#include "ScreensSession.h"
#include "formats/AudioFile.h"
#include "sim/ContentServices.h"

namespace {

const char* const kUdid = "00008101-00000000005C4EE4";
struct Sample {
    const char* title;
    const char* artist;
    const char* album;
    double seconds;
    const char* suffix;
};

const Sample kSamples[] = {
    {"Blue Coast", "Ana Vey", "Harbour Lights", 4, "mp3"},
    {"Morning Train", "The Platforms", "Commuter", 3, "m4a"},
    {"Über den Wolken", "Jürgen Maier", "Lieder", 5, "mp3"},
    {"月光", "王小明", "夜曲", 3, "m4a"},
    {"Slow Rain", "Ana Vey", "Harbour Lights", 6, "mp3"},
    {"Paper Kites", "Lumen", "Lanterns", 2, "mp3"},
};

bool AddSamples(IVexaManager* manager, const QString& folder) {
    std::vector<QString> files;
    for (const Sample& sample : kSamples) {
        const QString path =
            QStringLiteral("%1/%2.%3").arg(folder, QString::fromUtf8(sample.title), sample.suffix);
        vexa::formats::AudioSpec spec;
        spec.seconds = sample.seconds;
        spec.title = sample.title;
        spec.artist = sample.artist;
        spec.album = sample.album;
        if (!vexa::formats::WriteAudioFile(path.toStdString(), spec))
            return false;
        files.push_back(path);
    }
    std::vector<const char16_t*> paths;
    for (const QString& file : files)
        paths.push_back(reinterpret_cast<const char16_t*>(file.utf16()));
    IMediaLibrary* library = manager->GetMediaLibrary();
    const char16_t name[] = u"Road Trip";
    if (library->AddPlaylist(name) != 0)
        return false;
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    library->GetPlaylists(&count, &playlists);
    // Half the songs go into the new playlist as well.
    return library->AddMediaFileData(paths.data(), 3, nullptr, count - 1) == 0 &&
           library->AddMediaFileData(paths.data() + 3, int(paths.size()) - 3, nullptr, 0) == 0;
}

// Under a window system: drags the first song out of the table by the mouse, takes a picture of the
// screen while the drag runs and cancels it with Escape. Says whether the drag ran and that nothing
// was copied for it.
void ShootDrag(QMusicView& view, const QString& path) {
    QTableView* table = view.TableView();
    QWidget* viewport = table->viewport();
    table->selectRow(0);
    const QPoint start = table->visualRect(view.SortModel()->index(0, 1)).center();
    const QDir drags(QDir::temp().filePath(QStringLiteral("Vexa Manager dnd")));
    const int foldersBefore = int(drags.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    bool shown = false;
    QTimer::singleShot(600, &view, [&] {
        shown = true;
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), path});
        QTest::keyClick(viewport, Qt::Key_Escape);
    });
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(5, 5));
    // The drag loop runs inside this move until Escape ends it.
    QTest::mouseMove(viewport, start + QPoint(80, 60));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, start + QPoint(80, 60));
    QTest::qWait(700);
    int copied = 0;
    const QStringList folders = drags.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders)
        copied += int(QDir(drags.filePath(folder)).entryList(QDir::Files).size());
    qInfo("drag ran: %s, new drag folders: %d, files in drag folders: %d", shown ? "yes" : "no",
          int(folders.size()) - foldersBefore, copied);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (!session.Generate(spec) || !session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    for (const auto& [code, name] : {std::pair{31, "en"}, {42, "de"}, {25, "zh"}}) {
        // The page of a device without music, before the samples arrive.
        SetLanguage(code);
        QMusicView view(session.Manager(kUdid), session.Handle(kUdid));
        view.resize(830, 650);
        view.show();
        view.Start();
        (void)QTest::qWaitFor([&] { return view.HasLoaded() && !view.IsRunning(); }, 10000);
        ScreensSession::Save(&view, session.Picture(QStringLiteral("music_empty"), name));
    }
    if (!AddSamples(session.Manager(kUdid), session.Home().path()))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        {
            QMusicView view(manager, handle);
            view.resize(830, 650);
            view.show();
            view.Start();
            (void)QTest::qWaitFor([&] { return view.HasLoaded() && !view.IsRunning(); }, 10000);
            view.GetChunk(0)->SetChecked(true);
            view.GetChunk(2)->SetChecked(true);
            view.OnItemCheckChange(true);
            view.TableView()->selectRow(2);
            ScreensSession::Save(&view, session.Picture(QStringLiteral("music_table"), language.name));
            if (QGuiApplication::platformName() == QLatin1String("xcb"))
                ShootDrag(view, session.Picture(QStringLiteral("music_drag"), language.name));
        }
        {
            QPlayAnalysisTread loader(manager, handle);
            QPlayListView view(manager, handle);
            view.SetLoader(&loader);
            view.resize(1000, 420);
            view.show();
            loader.Start();
            (void)QTest::qWaitFor([&] { return loader.HasRead() && !loader.IsRunning(); }, 10000);
            view.ShowPlaylist(loader.PlaylistCount() - 1);
            view.TableView()->selectRow(1);
            ScreensSession::Save(&view, session.Picture(QStringLiteral("playlist_page"), language.name));
        }
        {
            const QStringList files = {QStringLiteral("/home/user/Music/Blue Coast.mp3"),
                                       QStringLiteral("/home/user/Music/Morning Train.m4a"),
                                       QStringLiteral("/home/user/Music/Über den Wolken.mp3"),
                                       QStringLiteral("/home/user/Music/Slow Rain.mp3")};
            AddItemDlg dialog(AddItemDlg::MusicView, files, 0);
            std::atomic<bool> shot{false};
            // Stands in for the device: two files done, the third on its way until the picture is taken.
            dialog.SetRoutine([&shot](const QStringList&, int* progress) {
                std::atomic_ref<int>(*progress).store(2);
                while (!shot)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                return 0;
            });
            QTimer::singleShot(600, &dialog, [&] {
                ScreensSession::Save(&dialog, session.Picture(QStringLiteral("add_dialog"), language.name));
                shot = true;
            });
            dialog.exec();
        }
        {
            QPlayListNameDlg dialog;
            dialog.show();
            ScreensSession::Save(&dialog, session.Picture(QStringLiteral("playlist_name"), language.name));
        }
    }
    return 0;
}
