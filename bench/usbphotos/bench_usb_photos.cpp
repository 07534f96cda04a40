// The photos of a phone of 50,000 pictures through vexa-device-emulator: from binding the device to
// its months and the first screen of thumbnails (the phone's own small JPEGs, nothing cached yet), and
// the export of 1,000 photos against cp of the same files (five rounds, each export against the cp
// just before it). The export is the window's own, dialog and all.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <vexa/vexa.h>

#include "BenchReport.h"
#include "CPhotoSerialThread.h"
#include "EmulatorProcess.h"
#include "IBaseSerial.h"
#include "ISerialable.h"
#include "QFileFolderExport.h"
#include "formats/ImageFile.h"
#include "ios/PhotoLibraryReader.h"

namespace {

constexpr char kUdid[] = "00008030-00BE0C4D5E6F7081";
constexpr int kPhotos = 50000;
constexpr int kFirstScreen = 48; // eight rows of six at the window's default size
constexpr int kExported = 1000;
constexpr int kRounds = 5;

namespace fs = std::filesystem;

// The phone's own small JPEG beside every photo, as a phone keeps them: one picture linked everywhere.
bool addDeviceThumbnails(const fs::path& media, const fs::path& sample) {
    const fs::path dcim = media / "DCIM";
    std::error_code error;
    for (fs::recursive_directory_iterator it(dcim, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(it->path(), media);
        const fs::path small = vexa::ios::PhotoLibraryReader::ThumbnailFile(
            media, relative.parent_path().generic_string(), relative.filename().string());
        fs::create_directories(small.parent_path(), error);
        fs::create_hard_link(sample, small, error);
        if (error) {
            return false;
        }
    }
    return !error;
}

// The first photos of the list, written as the Photos page writes its checked records.
class FirstPhotos : public ISerialable {
public:
    FirstPhotos(const PhotoRecord* records, int count)
        : m_records(records)
        , m_count(count) {}
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Photos", -1);
        for (int i = 0; i < m_count; ++i) {
            writer->BeginItem("Photo", i);
            writer->WriteString("path", m_records[i].path);
            writer->WriteString("title", m_records[i].fileName);
            writer->EndItem();
        }
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}

private:
    const PhotoRecord* m_records;
    int m_count;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir work;
    qputenv("XDG_CACHE_HOME", work.filePath("cache").toLocal8Bit());
    EmulatorProcess emulator;
    const fs::path media = (emulator.Root() + "/" + kUdid + "/Media").toStdString();
    const fs::path sample = work.filePath("5005.JPG").toStdString();
    if (emulator.SimCtl({"create", "--udid", kUdid, "--name", "Bench iPhone", "--product-type", "iPhone15,2",
                         "--photos", QString::number(kPhotos)}) != 0 ||
        !vexa::formats::WriteJpeg(sample, {256, 192, 3, "", ""}) || !addDeviceThumbnails(media, sample) ||
        !emulator.Start()) {
        std::fprintf(stderr, "bench_usb_photos: the emulated phone could not be made\n");
        return 1;
    }
    qputenv("VEXA_BACKEND", "usb");
    IOSInitialize();
    IOSListener(RecordEvent);
    const int handle = WaitForEvent(0, VEXA_DEVICE_ARRIVED, 0, 30000);
    Manager manager = Bind(handle);
    if (!manager) {
        std::fprintf(stderr, "bench_usb_photos: the device did not arrive\n");
        return 1;
    }
    bool ok = true;
    bool within = true;

    // Press on Photos: the library copied off the phone and read, its months counted, and the newest
    // screen of thumbnails made.
    IPhotoLibrary* photos = manager->GetPhotos();
    QElapsedTimer timer;
    timer.start();
    PhotoRecord* records = nullptr;
    int count = 0;
    ok = photos->PrepareList() == VEXA_OK && photos->GetPhotoList(&records, &count) == VEXA_OK && ok;
    std::set<int64_t> months;
    for (int i = 0; i < count; ++i) {
        months.insert((records[i].date + 978307200) / (86400 * 30));
    }
    const double listed = timer.nsecsElapsed() / 1e6;
    for (int i = std::max(0, count - kFirstScreen); i < count; ++i) {
        ok = photos->LoadThumbnail(&records[i]) == VEXA_OK && ok;
    }
    const double firstScreen = timer.nsecsElapsed() / 1e6;
    std::printf("%d photos in about %zu months: listed in %.1f ms, first screen of %d thumbnails at %.1f ms "
                "(limit 500)\n",
                count, months.size(), listed, kFirstScreen, firstScreen);
    ok = count == kPhotos && ok;
    BenchWatch("usb_photos_listed_ms", listed, "ms");
    within = BenchFigure("usb_photos_first_screen_ms", firstScreen, "ms", 500) && within;

    // Pressed again, the phone's library unchanged: only its folders are looked at again.
    timer.restart();
    ok = photos->PrepareList() == VEXA_OK && photos->GetPhotoList(&records, &count) == VEXA_OK && ok;
    const double listedAgain = timer.nsecsElapsed() / 1e6;
    std::printf("listed again in %.1f ms\n", listedAgain);
    BenchWatch("usb_photos_listed_again_ms", listedAgain, "ms");

    // 1,000 photos off the phone against cp of the same files.
    QStringList sources;
    for (int i = 0; i < kExported && i < count; ++i) {
        sources << QString::fromStdString((media / (records[i].path + 1)).string());
    }
    FirstPhotos exported(records, std::min(kExported, count));
    // This machine's disk takes anything from 60 to 350 ms for the same cp from one round to the next, so
    // each round's export is set against the cp just before it, and the figure is the median of the rounds.
    double ours = 0, cp = 0;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const QString oursFolder = work.filePath(QStringLiteral("ours%1").arg(round));
        const QString cpFolder = work.filePath(QStringLiteral("cp%1").arg(round));
        QDir().mkpath(oursFolder);
        QDir().mkpath(cpFolder);
        QProcess::execute("sync", {});
        timer.restart();
        ok = QProcess::execute("cp", QStringList(sources) << cpFolder) == 0 && ok;
        const double cpTime = timer.nsecsElapsed() / 1e6;
        QProcess::execute("sync", {});
        timer.restart();
        ok = QFileFolderExport::ExportTo(&exported, manager.get(), kExportPhotos, oursFolder, false) == 0 &&
             ok;
        const double oursTime = timer.nsecsElapsed() / 1e6;
        ok = QDir(oursFolder).entryList(QDir::Files).size() == sources.size() && ok;
        std::printf("  export round %d: ours %.1f ms, cp %.1f ms\n", round + 1, oursTime, cpTime);
        ours = round == 0 ? oursTime : std::min(ours, oursTime);
        cp = round == 0 ? cpTime : std::min(cp, cpTime);
        ratios.push_back(oursTime / std::max(cpTime, 0.001));
    }
    std::sort(ratios.begin(), ratios.end());
    const double ratio = ratios[ratios.size() / 2];
    std::printf(
        "export of %d photos: best %.1f ms, cp best %.1f ms; median of the rounds %.2fx (limit 1.5x)\n",
        kExported, ours, cp, ratio);
    within = BenchFigure("usb_photos_export_vs_cp", ratio, "x", 1.5, 2) && within;

    manager.reset();
    qputenv("VEXA_BACKEND", "sim");
    IOSInitialize();
    IOSListener(nullptr);
    emulator.Stop();
    if (!ok) {
        std::fprintf(stderr, "bench_usb_photos: a step failed\n");
        return 1;
    }
    return within ? 0 : 2;
}
