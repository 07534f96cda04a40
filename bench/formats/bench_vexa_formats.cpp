// Writes what the demo device holds (20 songs, 5 clips, 80 photos, 8 books, 12 apps) and a backup of it,
// and prints the time each kind takes.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include <QTemporaryDir>

#include "BenchReport.h"
#include "formats/Formats.h"

using namespace vexa::formats;
namespace fs = std::filesystem;

namespace {

struct Timing {
    double wall = 0;
    double processor = 0; // what the work costs on a machine that is not shared
};

Timing Measure(const std::function<bool()>& work, bool& ok) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t processorStart = std::clock();
    ok = work() && ok;
    return Timing{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                  static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC};
}

} // namespace

int main() {
    QTemporaryDir temporary;
    const fs::path root = temporary.path().toStdString();
    bool ok = true;
    Timing total;
    std::printf("%-28s %9s %9s\n", "", "wall", "cpu");
    auto report = [&](const char* name, const char* what, const std::function<bool()>& work) {
        const Timing timing = Measure(work, ok);
        total.wall += timing.wall;
        total.processor += timing.processor;
        std::printf("%-28s %7.3f s %7.3f s\n", what, timing.wall, timing.processor);
        BenchWatch(name, timing.wall * 1000, "ms");
    };
    report("formats.songs", "20 songs (3-5 s)", [&] {
        for (int i = 0; i < 20; ++i) {
            const AudioSpec spec{
                3.0 + i % 3, 220.0 + 20 * i, "Song " + std::to_string(i), "Artist", "Album", "Pop", i + 1,
                2020};
            if (!WriteAudioFile(root / ("song" + std::to_string(i) + (i % 2 ? ".m4a" : ".mp3")), spec))
                return false;
        }
        return true;
    });
    report("formats.videos", "5 videos (2 s, 320x240)", [&] {
        for (int i = 0; i < 5; ++i) {
            if (!WriteVideoFile(root / ("clip" + std::to_string(i) + ".mp4"),
                                VideoSpec{2, 320, 240, "Clip", 60 * i}))
                return false;
        }
        return true;
    });
    report("formats.photos", "80 photos (640x480 JPEG)", [&] {
        for (int i = 0; i < 80; ++i) {
            if (!WriteJpeg(root / ("IMG_" + std::to_string(i) + ".JPG"),
                           ImageSpec{640, 480, i, "Photo", "2023:05:01 10:00:00"}))
                return false;
        }
        return true;
    });
    report("formats.thumbnails", "80 thumbnails", [&] {
        for (int i = 0; i < 80; ++i) {
            if (MakeJpegThumbnail(root / ("IMG_" + std::to_string(i) + ".JPG"), 120).empty())
                return false;
        }
        return true;
    });
    report("formats.books", "8 books (PDF, EPUB)", [&] {
        for (int i = 0; i < 8; ++i) {
            const BookSpec spec{"Book " + std::to_string(i), "Author", 5};
            const fs::path path = root / ("book" + std::to_string(i) + (i % 2 ? ".epub" : ".pdf"));
            if (!(i % 2 ? WriteEpub(path, spec, false) : WritePdf(path, spec)))
                return false;
        }
        return true;
    });
    report("formats.apps", "12 apps (.ipa)", [&] {
        for (int i = 0; i < 12; ++i) {
            AppBundle app;
            app.bundleId = "com.example.app" + std::to_string(i);
            app.displayName = "App " + std::to_string(i);
            app.version = "1";
            app.payloadBytes = 2u << 20;
            if (!WriteIpa(root / ("app" + std::to_string(i) + ".ipa"), app))
                return false;
        }
        return true;
    });
    report("formats.encrypted_backup", "encrypted backup of it all", [&] {
        BackupWriter writer;
        if (writer.Open(root / "backup", BackupProperties{}, "secret") != kBackupOk)
            return false;
        for (const auto& entry : fs::directory_iterator(root)) {
            if (entry.is_regular_file() &&
                writer.AddFile({"MediaDomain", "Media/" + entry.path().filename().string(), entry.path()}) !=
                    kBackupOk)
                return false;
        }
        return writer.Finish() == kBackupOk;
    });
    std::printf("%-28s %7.3f s %7.3f s%s\n", "total", total.wall, total.processor, ok ? "" : "  (FAILED)");
    BenchWatch("formats.total_cpu", total.processor * 1000, "ms");
    return ok ? 0 : 1;
}
