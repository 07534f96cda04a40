// The photo page with 50,000 photos over some 300 months on a simulated device: from the press to the
// months listed and the first screen of thumbnails, the longest pause while scrolling through every
// month, the resident memory, the export of 1,000 photos against `cp` of the same files in the same run,
// and the import of 500 JPEGs. Prints one line per figure with its limit, and the same as
// "BENCH <name> <value> <unit> <limit>".

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScrollBar>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchReport.h"
#include "BenchSimApplication.h"
#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoStretchThread.h"
#include "QPhotoView.h"
#include "formats/ImageFile.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kPhotos = 50000;
constexpr int kSpacingSeconds = 15779; // 50,000 photos over 300 months
constexpr int kExported = 1000;
constexpr int kImported = 500;
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

double ResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

bool Report(const char* name, const char* what, double value, const char* unit, double limit) {
    std::printf("%-52s %9.1f %-3s (limit %7.1f)  %s\n", what, value, unit, limit,
                value <= limit ? "ok" : "OVER");
    return BenchFigure(name, value, unit, limit);
}

// Every tile on screen shows its thumbnail.
bool FirstScreenShown(QPhotoGridView* grid) {
    const CPhotoMonthGroups* groups = grid->Groups();
    if (groups == nullptr || groups->Groups().empty())
        return false;
    const QRect screen = grid->viewport()->rect();
    for (size_t g = 0; g < groups->Groups().size(); ++g) {
        const auto& group = groups->Groups()[g];
        if (!grid->HeaderRect(int(g)).intersects(screen) && grid->HeaderRect(int(g)).top() > screen.bottom())
            return true;
        for (int p = 0; p < group.Count(); ++p) {
            const QRect tile = grid->TileRect(int(g), p);
            if (tile.top() > screen.bottom())
                return true;
            if (tile.intersects(screen) && !grid->HasThumbnail(group.photos[size_t(p)].index))
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const BenchSimApplication home(argc, argv);

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000B0F070";
    spec.name = "Bench Phone";
    spec.photos = kPhotos;
    spec.photoSpacingSeconds = kSpacingSeconds;
    const std::string root = home.FilePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0) {
        std::fprintf(stderr, "could not generate the device\n");
        return 1;
    }
    std::printf("generated %d photos in %.1f s\n", kPhotos, double(clock.elapsed()) / 1000.0);
    IOSInitialize();
    IOSListener(OnDevice);
    ProcessUntil([] { return g_handle != 0; }, 10000);
    IVexaManager* manager = GetVexaManager();
    if (!g_handle || manager->SetDeviceHandle(g_handle) != 0) {
        std::fprintf(stderr, "the device did not arrive\n");
        return 1;
    }

    int result = 0;
    {
        QPhotoView view(manager, g_handle);
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            std::fprintf(stderr, "the view was not shown\n");
        QPhotoGridView* grid = view.PhotoPage()->Grid();

        clock.restart();
        view.Start();
        ProcessUntil([&] { return view.HasLoaded(); }, 30000);
        std::printf("months listed after %.1f ms\n", double(clock.nsecsElapsed()) / 1e6);
        ProcessUntil([&] { return FirstScreenShown(grid); }, 30000);
        grid->viewport()->repaint();
        const double firstScreenMs = double(clock.nsecsElapsed()) / 1e6;
        const int months = grid->Groups() ? int(grid->Groups()->Groups().size()) : 0;
        std::printf("%d photos in %d months\n", grid->Groups() ? grid->Groups()->PhotoCount() : 0, months);
        if (months < 290 || !FirstScreenShown(grid))
            result = 1;
        result |= !Report("photos_first_screen", "press to months listed and first screen of thumbnails",
                          firstScreenMs, "ms", 800);

        // Through every month a screen at a time, as fast as the page lets one; the GUI thread's
        // heartbeat measures the longest time nothing else could run.
        double worstStepMs = 0;
        double peakMb = ResidentMb();
        QScrollBar* bar = grid->verticalScrollBar();
        BenchHeartbeat heartbeat;
        int steps = 0;
        clock.restart();
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep() / 2, ++steps) {
            QElapsedTimer step;
            step.start();
            bar->setValue(value);
            grid->viewport()->repaint();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            worstStepMs = std::max(worstStepMs, double(step.nsecsElapsed()) / 1e6);
            if (steps % 200 == 0)
                peakMb = std::max(peakMb, ResidentMb());
        }
        // Let the last screen fill in, then settle.
        ProcessUntil([&] { return view.PhotoPage()->StretchThread()->IsIdle(); }, 10000);
        const qint64 longestGap = heartbeat.Stop(false);
        peakMb = std::max(peakMb, ResidentMb());
        std::printf("scrolled %d half screens through %d months in %.1f s; %zu thumbnails held\n", steps,
                    months, double(clock.elapsed()) / 1000.0, grid->CachedThumbnailCount());
        result |= !Report("photos_scroll_step_worst", "scrolling: longest step", worstStepMs, "ms", 50);
        result |=
            !Report("photos_scroll_gui_pause", "scrolling: longest GUI pause", double(longestGap), "ms", 50);
        result |= !Report("photos_rss", "resident memory (peak sampled)", peakMb, "MB", 400);

        // Export of the first 1,000 photos against cp of the same files.
        grid->SetAllChecked(false);
        QStringList sources;
        for (int i = 0; i < kExported && i < grid->List()->Count(); ++i) {
            grid->SetChecked(i, true);
            const char* path = grid->List()->Record(i)->path;
            sources << QString::fromStdString(root + "/" + spec.udid + "/Media" + path);
        }
        const QString cpTarget = home.FilePath(QStringLiteral("cp"));
        QDir().mkpath(cpTarget);
        clock.restart();
        QProcess::execute(QStringLiteral("cp"), sources + QStringList{cpTarget});
        const double cpMs = double(clock.nsecsElapsed()) / 1e6;
        const QString folder = home.FilePath(QStringLiteral("export"));
        clock.restart();
        const int failed = view.ExportTo(folder);
        const double exportMs = double(clock.nsecsElapsed()) / 1e6;
        const auto written = QDir(folder).entryList(QDir::Files).size();
        std::printf("cp of %d photos %.1f ms, export %.1f ms (%lld files, %d failed)\n", kExported, cpMs,
                    exportMs, (long long)written, failed);
        if (failed != 0 || written != kExported)
            result = 1;
        result |= !Report("photos_export_vs_cp", "export of 1,000 photos / cp of the same", exportMs / cpMs,
                          "x", 1.5);
    }

    // Import of 500 JPEGs made beforehand.
    QStringList jpegs;
    const QString importFolder = home.FilePath(QStringLiteral("import"));
    QDir().mkpath(importFolder);
    for (int i = 0; i < kImported; ++i) {
        const QString path = importFolder + QStringLiteral("/pic%1.jpg").arg(i);
        vexa::formats::WriteJpeg(path.toStdString(), {640, 480, 2000 + i, "Import", "2021:03:04 05:06:07"});
        jpegs << path;
    }
    {
        QPhotoView view(manager, g_handle);
        view.resize(1000, 700);
        view.show();
        clock.restart();
        view.ImportFiles(jpegs);
        const double importMs = double(clock.nsecsElapsed()) / 1e6;
        ProcessUntil([&] { return view.HasLoaded() && !view.IsRunning(); }, 30000);
        const int total = view.RecordCount();
        std::printf("after the import the page shows %d photos\n", total);
        if (total != kPhotos + kImported)
            result = 1;
        result |= !Report("photos_import_500", "import of 500 JPEGs", importMs / 1000.0, "s", 10);
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return result;
}
