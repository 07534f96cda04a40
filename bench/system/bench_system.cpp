// The file system page on a simulated device with 100,000 files in 5,000 folders: the press to the
// root's tree and table, opening a folder of 10,000 entries, the search per keystroke over it, and a
// drag-out of a 200 MB folder against `cp -r` of the same files in the same run. Prints one line per
// figure with its limit, and the same as "BENCH <name> <value> <unit> <limit>".

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/vexa.h>

#include "BenchMessageCloser.h"
#include "BenchReport.h"
#include "CSystemFileChunk.h"
#include "LanguageService.h"
#include "QDragTableView.h"
#include "QDropFileMimeData.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemView.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {

constexpr int kGroups = 50;
constexpr int kFoldersPerGroup = 100; // 5,000 folders
constexpr int kBigFolderFiles = 10000;
constexpr int kOtherFiles = 90000;
constexpr int kDragFiles = 50;
constexpr int kDragFileBytes = 4 * 1024 * 1024; // 200 MB in all

std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

bool Report(const char* name, const char* what, double value, const char* unit, double limit) {
    std::printf("%-48s %9.1f %s  (limit %6.1f)  %s\n", what, value, unit, limit,
                value <= limit ? "ok" : "OVER");
    return BenchFigure(name, value, unit, limit);
}

void ProcessUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Layout and paint, as the event loop would do them before the user sees the page.
void Settle(QWidget* widget) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
    widget->repaint();
}

std::string Numbered(const char* prefix, int number, int width) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%0*d", prefix, width, number);
    return text;
}

// 100,000 small files in 5,000 folders under Media/, the first folder holding 10,000 of them.
void MakeFiles(const fs::path& media) {
    int placed = 0;
    for (int group = 0; group < kGroups; ++group) {
        for (int folder = 0; folder < kFoldersPerGroup; ++folder) {
            const fs::path path = media / Numbered("Group", group, 2) / Numbered("Folder", folder, 3);
            fs::create_directories(path);
            const int index = group * kFoldersPerGroup + folder;
            const int files = index == 0
                                  ? kBigFolderFiles
                                  : kOtherFiles / (kGroups * kFoldersPerGroup - 1) +
                                        (index <= kOtherFiles % (kGroups * kFoldersPerGroup - 1) ? 1 : 0);
            for (int file = 0; file < files; ++file) {
                std::ofstream(path / (Numbered("file_", file, 5) + ".txt")) << index << ' ' << file;
                ++placed;
            }
        }
    }
    std::printf("placed %d files in %d folders\n", placed, kGroups * kFoldersPerGroup);
}

void MakeDragFolder(const fs::path& folder) {
    fs::create_directories(folder / "Inner");
    std::string block(kDragFileBytes, '\0');
    for (int i = 0; i < kDragFiles; ++i) {
        for (size_t b = 0; b < block.size(); b += 4096)
            block[b] = char(i + b / 4096);
        std::ofstream(folder / (i % 2 ? "Inner" : "") / Numbered("part", i, 3), std::ios::binary) << block;
    }
}

double Milliseconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(home.filePath(QStringLiteral("simulator"))));
    qputenv("VEXA_BACKEND", "sim");
    qputenv("TMPDIR", QFile::encodeName(home.filePath(QStringLiteral("tmp"))));
    QDir().mkpath(home.filePath(QStringLiteral("tmp")));
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const BenchMessageCloser messageCloser;

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000F11E55";
    spec.name = "Files Bench Phone";
    const std::string root = home.filePath(QStringLiteral("simulator")).toStdString();
    fs::create_directories(root);
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0) {
        std::fprintf(stderr, "could not generate the device\n");
        return 1;
    }
    const fs::path media = fs::path(root) / spec.udid / "Media";
    MakeFiles(media);
    MakeDragFolder(media / "DragOut");
    std::printf("generated in %.1f s\n", double(clock.elapsed()) / 1000.0);
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
        QSystemView view(manager, g_handle);
        view.resize(1100, 700);
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);

        // The press: the root's listing on the page's thread, then the tree and the table.
        QElapsedTimer timer;
        timer.start();
        view.Start();
        ProcessUntil([&] { return view.RootItem() != nullptr && !view.IsRunning(); }, 30000);
        Settle(&view);
        const double pressMs = Milliseconds(timer);
        result |= !Report("system_press_root", "press -> root tree and table", pressMs, "ms", 300);

        // Opening the folder of 10,000 entries from its group.
        view.ShowFolder(view.FindItem("/Group00"));
        Settle(&view);
        timer.restart();
        view.ShowFolder(view.FindItem("/Group00/Folder000"));
        Settle(&view);
        const double openMs = Milliseconds(timer);
        const int rows = view.ContentModel()->rowCount();
        result |= !Report("system_open_10000", "open a folder of 10,000 entries", openMs, "ms", 200);
        if (rows != kBigFolderFiles) {
            std::fprintf(stderr, "the folder shows %d rows\n", rows);
            result = 1;
        }

        // Typing "file_0123" and deleting it again, one keystroke at a time.
        const QString typed = QStringLiteral("file_0123");
        double worst = 0;
        double total = 0;
        int keystrokes = 0;
        for (int length = 1; length <= typed.size() * 2; ++length) {
            const int shown = length <= typed.size() ? length : typed.size() * 2 - length;
            timer.restart();
            view.OnSearchString(typed.left(shown));
            Settle(&view);
            const double ms = Milliseconds(timer);
            worst = std::max(worst, ms);
            total += ms;
            ++keystrokes;
        }
        result |= !Report("system_search_key_worst", "search per keystroke (worst)", worst, "ms", 100);
        result |=
            !Report("system_search_key_mean", "search per keystroke (mean)", total / keystrokes, "ms", 100);

        // Drag-out of the 200 MB folder against cp -r of the same files; the first cp only warms the
        // page cache, so both read the device's files from memory.
        const QString copyTarget = home.filePath(QStringLiteral("cp-copy"));
        const QStringList cpArguments{QStringLiteral("-r"),
                                      QString::fromStdString((media / "DragOut").string()), copyTarget};
        int cp = QProcess::execute(QStringLiteral("cp"), cpArguments);
        QDir(copyTarget).removeRecursively();
        timer.restart();
        cp |= QProcess::execute(QStringLiteral("cp"), cpArguments);
        const double cpMs = Milliseconds(timer);
        QDir(copyTarget).removeRecursively();

        view.OnSearchString(QString());
        view.ShowFolder(view.RootItem());
        Settle(&view);
        QDragTableView* table = view.ContentTable();
        const QModelIndexList match =
            view.ContentProxy()->match(view.ContentProxy()->index(0, 0), Qt::DisplayRole,
                                       QStringLiteral("DragOut"), 1, Qt::MatchExactly);
        if (cp != 0 || match.isEmpty()) {
            std::fprintf(stderr, "cp -r failed or the drag folder is not listed\n");
            return 1;
        }
        table->selectionModel()->select(match.first(),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        std::unique_ptr<QDropFileMimeData> data(view.PrepareDrag(table));
        timer.restart();
        const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
        const double dragMs = Milliseconds(timer);
        const bool copied = data && data->DropSucceeded() && urls.size() == 1;
        if (!copied) {
            std::fprintf(stderr, "the drag-out did not copy the folder\n");
            result = 1;
        } else {
            QDir(QFileInfo(urls.first().toLocalFile()).absolutePath()).removeRecursively();
        }
        std::printf("cp -r of 200 MB: %.1f ms, drag-out: %.1f ms\n", cpMs, dragMs);
        BenchWatch("system_cp_r_200mb", cpMs, "ms");
        BenchWatch("system_dragout_200mb", dragMs, "ms");
        result |= !Report("system_dragout_vs_cp", "drag-out of 200 MB / cp -r", dragMs / std::max(cpMs, 1.0),
                          "x", 1.5);
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return result;
}
